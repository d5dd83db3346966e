// The flower standing on a cell: the game draws it at scale 0.15 from 0.1
// above the board, so it is about 9 units across here. Six cupped petals
// open upwards around a domed heart on a short stem.
//
// Texture layout of the flower textures ("f_1" .. "f_9"): the flower seen
// from above, centred, its heart within 9% of the image width from the
// middle. The mesh maps its top view into the middle 64% of the image (its
// petal tips reach 32% from the middle), where the image is covered by
// petals and so opaque: anything drawn transparent here would still hide the
// cells drawn after it. The stem samples a petal's inner part.
#include <cmath>

#include "models.h"
#include "shapes.h"

namespace {
constexpr double kStemTop = 2.0;
constexpr double kPetalReach = 4.6;
constexpr double kHeartRadius = 1.25;

Vec2 TopView(Vec3 p) { return {0.5 + 0.32 * p.x / kPetalReach, 0.5 + 0.32 * p.z / kPetalReach}; }

// Petals and heart are built round the top of the stem, their node's origin.
void AddPetal(ModelNode& node, double angle, double lift) {
  Vec3 out{std::cos(angle), 0, -std::sin(angle)}, side{std::sin(angle), 0, std::cos(angle)};
  int first = AddSurface(node, 4, 6, [&](double s, double t) {
    double r = 0.6 + (kPetalReach - 0.6) * t;
    double half = 1.45 * std::pow(std::sin(kPi * (0.12 + 0.88 * t)), 0.6) * (0.5 + 0.5 * t);
    double across = 2 * s - 1;
    Vec3 p = out * r + side * (half * across);
    // Cupped upwards towards the tip, and curled a little across.
    p.y = lift + 0.6 * t * t + 0.3 * across * across * t;
    return SurfacePoint{p, {}};
  });
  for (int i = first; i < node.VertexCount(); ++i) node.uvs[i] = TopView(node.positions[i]);
}

}  // namespace

ModelNode MakeFlower() {
  ModelNode node;
  node.name = "flower";
  node.texture = "f_1.png";
  auto stem = CubicCurve({0, 0, 0}, {0.1, 0.8, 0}, {-0.1, 1.5, 0.05}, {0, kStemTop + 0.2, 0}, 8);
  AddTube(node, stem, std::vector<double>(stem.size(), 0.22), 6, UvAt(0.5, 0.68));
  ModelNode& blossom = node.AddChild("blossom", Translation({0, kStemTop, 0}));
  for (int k = 0; k < 6; ++k) AddPetal(blossom, Radians(30 + 60 * k), 0.02 * k);
  // The heart: a low dome over the petals' inner ends.
  int first = AddEllipsoid(blossom, {kHeartRadius, 0.55, kHeartRadius}, 12, 5, 0, Translation({0, 0.2, 0}), UvAt(0, 0));
  for (int i = first; i < blossom.VertexCount(); ++i) blossom.uvs[i] = TopView(blossom.positions[i]);
  return node;
}
