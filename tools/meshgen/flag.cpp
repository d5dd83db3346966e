// The flag planted on a flagged cell (drawn at scale 0.5 on the cell). The
// pole leans back towards +x so that the round's camera, looking down from
// the -x side, sees the cloth, which flies towards -z (the screen's right).
//
// Texture layout of "flag": a flag picture with its pole along the left
// edge: the pole samples the strip 2% .. 11% from the left over the full
// height (its knob the top of that strip); the cloth maps the rest of the
// image, 14% .. 100% across and the full height.
#include <cmath>
#include <utility>

#include "models.h"
#include "shapes.h"

namespace {
constexpr double kPoleLength = 3.0;
constexpr double kLean = -28;  // about z: the top tips towards +x
}  // namespace

ModelNode MakeFlag() {
  ModelNode node;
  node.name = "flag";
  node.texture = "flag.png";
  Mat4 lean = RotationZ(kLean);
  Vec3 axis = TransformPoint({0, 1, 0}, lean);
  std::vector<Vec3> pole;
  for (int i = 0; i <= 6; ++i) pole.push_back(axis * (kPoleLength * i / 6.0));
  AddTube(node, pole, std::vector<double>(pole.size(), 0.07), 10,
          [](double s, double t) { return Vec2{0.02 + 0.09 * s, 0.01 + 0.98 * t}; });
  AddEllipsoid(node, {0.14, 0.14, 0.14}, 12, 8, 0, Translation(axis * kPoleLength), UvAt(0.065, 0.98));
  // The cloth hangs from the pole's upper part and ripples as it flies.
  Vec3 fly{0, 0, -1};
  Vec3 ripple = Normalized(Cross(axis, fly));
  ModelNode& cloth = node.AddChild("cloth", Mat4{});
  AddSurface(cloth, 16, 6, [&](double s, double t) {
    double width = 1.75, height = 1.25;
    Vec3 p = axis * (kPoleLength - 0.1 - height * (1 - t)) + fly * (0.04 + width * s);
    p = p + ripple * (0.15 * std::sin(2 * kPi * 1.2 * s) * s) - axis * (0.15 * s * s);
    return SurfacePoint{p, {0.14 + 0.86 * s, t}};
  });
  // Front towards the camera's side (-x).
  for (auto& tri : cloth.triangles) std::swap(tri[1], tri[2]);
  SmoothNormals(cloth, 0, cloth.VertexCount());
  return node;
}
