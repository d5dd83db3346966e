// Scene props that stand on the islands around the board. Each stands on
// y = 0 at its origin and is about one unit tall (the log about as long), as
// scene objects scale them from there; the bridge spans one unit.
//
// Texture layouts:
// - "brevno11" (log): seamless bark with its ridges along v; it wraps twice
//   round the log and runs along it, and the cut ends map it flat.
// - "trava" (grass): seamless; each blade maps its root to the bottom row and
//   its tip to the top row.
// - "grib" (mushroom): the upper half of the image is the cap, u once round
//   it, the rim at the middle line and the crown at the top row; under the
//   middle line come the gills (from the rim at the middle line inwards to
//   38% from the bottom), and below that the stem (foot at the bottom row).
// - "kamen" (stones): seamless rock; u twice round, v bottom to top.
// - "doska" (bridge): four planks as rows of the image, the grain running
//   left to right; every plank of the bridge maps one of them end to end.
#include <cmath>

#include "models.h"
#include "noise.h"
#include "shapes.h"

namespace {
ModelNode Named(const char* name, const char* texture) {
  ModelNode node;
  node.name = name;
  node.texture = texture;
  return node;
}
}  // namespace

ModelNode MakeLog() {
  ModelNode node = Named("l_brevno", "brevno11.png");
  constexpr double kRadius = 0.24, kHalfLength = 0.8;
  // The log lies along z, sunk a little into the ground.
  Mat4 place = RotationX(90) * Translation({0, kRadius - 0.04, 0});
  AddSurface(node, 16, 6, [&](double s, double t) {
    double angle = 2 * kPi * s;
    double r = kRadius * (1 + 0.06 * FractalNoise(3 * std::cos(angle), 3 * std::sin(angle), 3 * t, 71, 2));
    Vec3 local{r * std::cos(angle), -kHalfLength + 2 * kHalfLength * t, -r * std::sin(angle)};
    return SurfacePoint{TransformPoint(local, place), {2 * s, 1.5 * t}};
  });
  auto endUv = [](double s, double t) {
    double a = 2 * kPi * s;
    return Vec2{0.5 + 0.3 * t * std::cos(a), 0.5 + 0.3 * t * std::sin(a)};
  };
  // End faces: from the centre outwards at the far end, inwards at the near.
  AddLathe(node, 16, 2, 0, [&](double t) { return Profile{kRadius * t, -kHalfLength}; }, place, endUv);
  AddLathe(
      node, 16, 2, 0, [&](double t) { return Profile{kRadius * (1 - t), kHalfLength}; }, place,
      [&](double s, double t) { return endUv(s, 1 - t); });
  // A stubby branch on the upper side.
  Vec3 root{0.0, 2 * kRadius - 0.16, 0.2};
  AddTube(node,
          CubicCurve(root, root + Vec3{0.03, 0.12, 0.03}, root + Vec3{0.09, 0.2, 0.12}, root + Vec3{0.12, 0.25, 0.22}, 6),
          {0.08, 0.077, 0.073, 0.068, 0.062, 0.055, 0.0}, 6, [](double s, double t) { return Vec2{s, 0.5 * t}; });
  return node;
}

namespace {
void AddBlade(ModelNode& node, Vec3 base, double heading, double height, double width, double lean) {
  Vec3 out{std::cos(heading), 0, -std::sin(heading)};
  Vec3 side{std::sin(heading), 0, std::cos(heading)};
  AddSurface(node, 2, 5, [&](double s, double t) {
    double half = width * 0.5 * std::pow(1 - t, 0.85);
    Vec3 centre = base + out * (lean * t * t) + Vec3{0, height * (t - 0.25 * lean * t * t / height), 0};
    // A shallow fold along the blade's middle.
    Vec3 p = centre + side * (half * (2 * s - 1)) + out * (-0.02 * std::fabs(2 * s - 1));
    return SurfacePoint{p, {s, 0.02 + 0.96 * t}};
  });
}

ModelNode GrassTuft(const char* name, int blades, double spread, double minHeight, double maxHeight, uint32_t seed) {
  ModelNode node = Named(name, "trava.png");
  for (int i = 0; i < blades; ++i) {
    double heading = 2 * kPi * (i + 0.6 * HashUnit(i, seed)) / blades;
    double r = spread * (0.1 + 0.9 * HashUnit(i + 100, seed) * HashUnit(i + 100, seed));
    Vec3 base{r * std::cos(heading), -0.02, -r * std::sin(heading)};
    double height = minHeight + (maxHeight - minHeight) * HashUnit(i + 200, seed);
    AddBlade(node, base, heading + 0.4 * (HashUnit(i + 300, seed) - 0.5), height, 0.08 + 0.04 * HashUnit(i + 400, seed),
             0.3 + 0.4 * HashUnit(i + 500, seed));
  }
  return node;
}
}  // namespace

ModelNode MakeGrassTuft(int variant) {
  if (variant == 2) return GrassTuft("l_grass2", 16, 0.2, 0.35, 0.65, 9);
  return GrassTuft("l_grass1", 11, 0.12, 0.55, 0.95, 4);
}

namespace {
void AddMushroom(ModelNode& node, const Mat4& place) {
  constexpr double kCapRadius = 0.52;
  AddLathe(
      node, 12, 4, 0,
      [](double t) {
        double r = 0.14 + 0.05 * std::sin(kPi * (0.15 + 0.5 * t)) * (1 - t) - 0.02 * t;
        return Profile{r, 0.58 * t - 0.02};
      },
      place, [](double s, double t) { return Vec2{s, 0.02 + 0.34 * t}; });
  // Gills from the stem out to the rim, then the rim and the dome.
  AddLathe(
      node, 16, 2, 0, [](double t) { return Profile{0.12 + (kCapRadius - 0.12) * t, 0.56 - 0.08 * t}; }, place,
      [](double s, double t) { return Vec2{s, 0.38 + 0.11 * t}; });
  auto capProfile = [](double t) -> Profile {
    if (t < 0.15) {
      double a = kPi * t / 0.15;
      return {kCapRadius + 0.04 * std::sin(a), 0.52 - 0.04 * std::cos(a)};
    }
    double a = 0.5 * kPi * (t - 0.15) / 0.85;
    return {(kCapRadius) * std::cos(a), 0.56 + 0.36 * std::sin(a)};
  };
  AddLathe(node, 16, 8, 0, capProfile, place, [](double s, double t) { return Vec2{s, 0.51 + 0.48 * t}; });
}
}  // namespace

ModelNode MakeMushroom() {
  ModelNode node = Named("l_grib", "grib.png");
  AddMushroom(node, Mat4{});
  AddMushroom(node, Scaling(0.55, 0.55, 0.55) * RotationY(40) * Translation({0.55, 0, 0.35}));
  return node;
}

namespace {
void AddStone(ModelNode& node, Vec3 centre, Vec3 radii, uint32_t seed) {
  int first = AddEllipsoid(node, radii, 16, 9, 0, Mat4{}, [](double s, double t) { return Vec2{2 * s, t}; });
  for (int i = first; i < node.VertexCount(); ++i) {
    Vec3 p = node.positions[i];
    Vec3 d = Normalized(Vec3{p.x / radii.x, p.y / radii.y, p.z / radii.z});
    double lump = 1 + 0.13 * FractalNoise(1.6 * d.x + 3, 1.6 * d.y + 3, 1.6 * d.z + 3, seed, 3);
    p = p * lump;
    // A flat underside where it sits on the ground.
    if (p.y < -0.6 * radii.y) p.y = -0.6 * radii.y + 0.3 * (p.y + 0.6 * radii.y);
    node.positions[i] = p + centre + Vec3{0, 0.55 * radii.y, 0};
  }
  SmoothNormals(node, first, node.VertexCount());
}
}  // namespace

ModelNode MakeStone(int variant) {
  if (variant == 2) {
    ModelNode node = Named("l_stone2", "kamen.png");
    AddStone(node, {0, 0, 0}, {0.42, 0.30, 0.36}, 17);
    AddStone(node, {0.50, 0, 0.28}, {0.26, 0.19, 0.24}, 29);
    AddStone(node, {-0.18, 0, 0.48}, {0.18, 0.13, 0.16}, 31);
    return node;
  }
  ModelNode node = Named("l_stone1", "kamen.png");
  AddStone(node, {0, 0, 0}, {0.62, 0.42, 0.52}, 5);
  return node;
}

// The bridge runs from its origin one unit along +x, its deck at height 0 at
// both ends and arching up in the middle; scene objects scale it to the gap
// it spans, so it is built for about four units: 0.45 wide, rails 0.18 high.
ModelNode MakeBridge() {
  ModelNode node = Named("l_most", "doska.png");
  constexpr double kHalfWidth = 0.11, kArch = 0.05, kPlankThickness = 0.012;
  auto deckHeight = [&](double x) { return kArch * 4 * x * (1 - x) - kPlankThickness; };
  auto slope = [&](double x) { return kArch * 4 * (1 - 2 * x); };
  // Planks across the bridge, each tilted along the arch.
  constexpr int kPlanks = 12;
  double pitch = 1.0 / kPlanks;
  for (int i = 0; i < kPlanks; ++i) {
    double x = pitch * (i + 0.5);
    double tilt = std::atan(slope(x)) * 180 / kPi;
    double jitter = 0.01 * (HashUnit(i, 3) - 0.5);
    Mat4 place = RotationZ(tilt) * Translation({x, deckHeight(x), jitter});
    double band = 0.25 * (i % 4);
    AddBox(node, {-pitch * 0.44, -kPlankThickness, -kHalfWidth}, {pitch * 0.44, kPlankThickness, kHalfWidth}, place,
           {0.0, band + 0.03, 1.0, band + 0.22});
  }
  // Posts and rails on both sides.
  for (double side : {-1.0, 1.0}) {
    double z = side * (kHalfWidth - 0.012);
    std::vector<Vec3> rail;
    for (int k = 0; k <= 12; ++k) {
      double x = 0.02 + 0.96 * k / 12;
      rail.push_back({x, deckHeight(x) + 0.17, z});
    }
    AddTube(node, rail, std::vector<double>(rail.size(), 0.012), 8,
            [](double s, double t) { return Vec2{t, 0.27 + 0.2 * s}; });
    for (double x : {0.02, 0.5, 0.98}) {
      double base = deckHeight(x);
      AddBox(node, {x - 0.015, base - 0.05, z - 0.015}, {x + 0.015, base + 0.185, z + 0.015}, Mat4{},
             {0.0, 0.53, 0.6, 0.72});
    }
  }
  // Two beams under the planks.
  for (double side : {-1.0, 1.0}) {
    std::vector<Vec3> beam;
    for (int k = 0; k <= 12; ++k) {
      double x = k / 12.0;
      beam.push_back({x, deckHeight(x) - 0.022, side * (kHalfWidth - 0.05)});
    }
    AddTube(node, beam, std::vector<double>(beam.size(), 0.016), 8,
            [](double s, double t) { return Vec2{t, 0.78 + 0.2 * s}; });
  }
  return node;
}
