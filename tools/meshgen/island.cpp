// The floating islands under the board. Scene objects lay several of them
// under a board, each at the height of the board's underside with a scale
// equal to the radius it must cover and any yaw, so every island here has
// its top at height 0 and a footprint of radius 1 (never less than 0.97)
// round its origin. The top is a very low dome (its middle at 0, never
// above), so where two islands overlap their grass meets along a crease
// instead of flickering. Below the rim, earth and rock taper into a lumpy
// cone about as deep as the island is wide; the cone starts on the rim.
//
// Texture layout: the island textures are seamless surfaces; the top maps
// them flat, 2.5 repeats per unit, and the sides wrap them round 16 times
// with the same scale downwards.
#include <algorithm>
#include <cmath>

#include "models.h"
#include "noise.h"

namespace {
constexpr int kSegments = 56;
constexpr double kRepeat = 2.5;

struct IslandShape {
  double wobble, depth, dome;
  int lobes;
  uint32_t seed;
};

IslandShape ShapeOf(int variant) {
  switch (variant) {
    case 2: return {0.06, 1.15, 0.010, 3, 23};
    case 3: return {0.04, 0.80, 0.014, 5, 37};
    case 4: return {0.07, 1.00, 0.012, 2, 41};
    default: return {0.05, 0.95, 0.012, 4, 11};
  }
}

// Distance from the middle to the rim in a direction: 1 plus a gentle
// wobble that never pulls the rim inside 0.97. The noise is sampled on a
// circle, so it closes up.
double RimDistance(const IslandShape& shape, double angle) {
  double n = FractalNoise(2.0 * std::cos(angle) + 5, 2.0 * std::sin(angle) + 5, 0.5, shape.seed, 3);
  return 1.0 + shape.wobble * (0.5 + 0.5 * n) + 0.01 * std::cos(shape.lobes * angle) - 0.01;
}

double TopHeight(const IslandShape& shape, double fraction) {
  double rounding = SmoothStep(0.9, 1.0, fraction);
  return -shape.dome * fraction * fraction - 0.035 * rounding * rounding;
}
}  // namespace

ModelNode MakeIsland(int variant) {
  IslandShape shape = ShapeOf(variant);
  ModelNode node;
  node.name = variant == 1 ? "l_island" : "l_island" + std::to_string(variant);
  node.texture = variant == 1 ? "ostrov.png" : (variant == 3 ? "ostrov12.png" : "ostrov1.png");

  // Grass: rings from the middle out to the rim, denser towards the rim.
  AddSurface(node, kSegments, 6, [&](double s, double t) {
    double angle = 2 * kPi * s, fraction = 1 - std::pow(1 - t, 1.6);
    double r = RimDistance(shape, angle) * fraction;
    Vec3 p{r * std::cos(angle), TopHeight(shape, fraction), -r * std::sin(angle)};
    return SurfacePoint{p, {kRepeat * p.x, kRepeat * p.z}};
  });
  // Side and underside: a short wall of earth under the rim, then a lumpy
  // cone down to the tip. The lumps fade out towards the top, so the side's
  // first ring is the grass rim itself and the model is closed: its back
  // faces are never seen and can be culled.
  double rimY = TopHeight(shape, 1);
  AddSurface(node, kSegments, 12, [&](double s, double t) {
    double angle = 2 * kPi * s;
    double taper = std::pow(std::cos(0.5 * kPi * t), 0.8) * (1 + 0.06 * std::sin(kPi * std::min(1.0, 4 * t)));
    double lumps = 1 + (0.03 * SmoothStep(0.0, 0.1, t) + 0.22 * t) *
                           FractalNoise(3.5 * std::cos(angle) + 9, 3.5 * std::sin(angle) + 9, 5 * t, shape.seed + 3, 4);
    double r = RimDistance(shape, angle) * taper * lumps;
    double y = rimY - shape.depth * t - 0.05 * std::sin(t * 11 + 2 * std::cos(3 * angle)) * t * (1 - t);
    Vec3 p{r * std::cos(angle), y, -r * std::sin(angle)};
    return SurfacePoint{p, {16 * s, kRepeat * y}};
  });
  // Both grids run round against the sense that would make ds x dt face
  // outwards (up on the grass, out on the sides): turn every triangle.
  for (auto& tri : node.triangles) std::swap(tri[1], tri[2]);
  SmoothNormals(node, 0, node.VertexCount());
  return node;
}
