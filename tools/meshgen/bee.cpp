// The bee, facing -z with +y up, in the units it is drawn with (the game
// scales it by 0.8). The body's centre is the origin; the wings hinge at
// (0, 0.25, 0), where the game puts their origin, and flap about z.
//
// Texture layouts:
// - "body": stripes are image rows: the bottom row is the tip of the tail
//   (the sting samples it, so keep the lowest rows dark), the top row the
//   neck; u runs once around the body with the seam under the belly.
// - "bee" (the head): the face seen from the front fills the image; it is
//   projected onto the head looking forwards and 30 degrees up, so the face
//   turns up towards the camera. The eye bumps sit where the image has its
//   eyes, at (0.3, 0.42) and (0.7, 0.42) from the top left; the antennae
//   sample near the top left corner (the head's fur colour).
// - "wing": an ellipse inscribed in the image, the root at the left edge,
//   the tip at the right edge, the leading edge at the top.
#include <algorithm>
#include <cmath>

#include "models.h"
#include "shapes.h"

namespace {
const Vec3 kHeadCentre{0, 0.09, -0.57};
constexpr double kHeadRadius = 0.305;
constexpr double kHingeHeight = 0.25;

constexpr double kFaceTilt = 30;  // degrees the face looks up

// Planar projection of the face image along the face's direction.
Vec2 HeadUv(Vec3 p) {
  double tilt = Radians(kFaceTilt);
  Vec3 up{0, std::cos(tilt), std::sin(tilt)};
  Vec3 d = p - kHeadCentre;
  return {0.5 + d.x / (2 * kHeadRadius), 0.5 + Dot(d, up) / (2 * kHeadRadius)};
}

// The point on the head under image point (u, v) (v from the bottom), on the
// face's side.
Vec3 HeadDirectionAt(double u, double v) {
  double tilt = Radians(kFaceTilt);
  Vec3 right{1, 0, 0}, up{0, std::cos(tilt), std::sin(tilt)}, ahead{0, std::sin(tilt), -std::cos(tilt)};
  double a = 2 * u - 1, b = 2 * v - 1;
  return right * a + up * b + ahead * std::sqrt(std::max(0.0, 1 - a * a - b * b));
}

void AddEye(ModelNode& node, double u) {
  Vec3 d = HeadDirectionAt(u, 0.58);
  Vec3 centre = kHeadCentre + d * (kHeadRadius - 0.035);
  // Turn the lathe's axis (local y) onto the eye's outward direction.
  double yaw = std::atan2(d.x, -d.z) * 180 / kPi;
  double pitch = std::asin(d.y) * 180 / kPi;
  Mat4 place = RotationX(-90 + pitch) * RotationY(-yaw) * Translation(centre);
  int first = AddEllipsoid(node, {0.095, 0.055, 0.11}, 20, 10, 0, place, [](double, double) { return Vec2{}; });
  for (int i = first; i < node.VertexCount(); ++i) node.uvs[i] = HeadUv(node.positions[i]);
}

void AddAntenna(ModelNode& node, double side) {
  Vec3 base = kHeadCentre + HeadDirectionAt(0.5 + 0.15 * side, 0.85) * (kHeadRadius - 0.02);
  Vec3 tip = base + Vec3{0.15 * side, 0.29, -0.11};
  auto path = CubicCurve(base, base + Vec3{0.0, 0.12, 0.02}, tip + Vec3{-0.05 * side, -0.04, 0.06}, tip, 10);
  std::vector<double> radii(path.size(), 0.02);
  AddTube(node, path, radii, 8, UvAt(0.06, 0.94));
  AddEllipsoid(node, {0.055, 0.055, 0.055}, 12, 8, 0, Translation(tip), UvAt(0.06, 0.94));
}

// Egg-shaped body turned about its length; front pole at z -0.36, tail at
// z 0.61, slightly flatter than wide (its top just above the wing hinge).
constexpr double kBodyRadius = 0.335;
constexpr double kBodyMiddle = -0.09;  // along the turning axis, which points to -z
constexpr double kBodyBack = 0.52, kBodyFront = 0.45;

Profile BodyProfile(double t) {
  double polar = kPi * t;
  double length = polar < kPi / 2 ? kBodyBack : kBodyFront;
  return {kBodyRadius * std::sin(polar), kBodyMiddle - length * std::cos(polar)};
}

ModelNode WingLobe(Vec3 centre, double span, double chord, double sweep) {
  ModelNode lobe;
  double c = std::cos(Radians(sweep)), s = std::sin(Radians(sweep));
  Vec3 along{c, 0, s}, across{-s, 0, c};
  AddSurface(lobe, 32, 4, [&](double u, double t) {
    double angle = 2 * kPi * u;
    double x = std::cos(angle) * t, z = std::sin(angle) * t;
    Vec3 p = centre + along * (span * x) + across * (chord * z);
    p.y += 0.025 * (1 - t * t);  // a slight camber
    return SurfacePoint{p, {0.5 + 0.5 * x, 0.5 - 0.5 * z}};
  });
  return lobe;
}
}  // namespace

ModelNode MakeBeeHead() {
  ModelNode node;
  node.name = "head";
  node.texture = "bee.png";
  int first = AddEllipsoid(node, {kHeadRadius, kHeadRadius * 0.94, kHeadRadius * 0.96}, 28, 14, 270,
                           Translation(kHeadCentre), UvAt(0, 0));
  for (int i = first; i < node.VertexCount(); ++i) node.uvs[i] = HeadUv(node.positions[i]);
  AddEye(node, 0.3);
  AddEye(node, 0.7);
  AddAntenna(node, 1);
  AddAntenna(node, -1);
  return node;
}

ModelNode MakeBeeBody() {
  ModelNode node;
  node.name = "body";
  node.texture = "body.png";
  // Local y (the turning axis) becomes -z; local z becomes +y, flattened.
  Mat4 place = Scaling(1, 1, 0.92) * RotationX(-90);
  AddLathe(node, 28, 16, 90, BodyProfile, place, [](double s, double t) { return Vec2{s, t}; });
  double tail = kBodyMiddle - kBodyBack;
  AddLathe(
      node, 12, 3, 90,
      [&](double t) { return Profile{0.075 * t, tail - 0.11 + 0.13 * t}; }, place,
      [](double s, double) { return Vec2{s, 0.01}; });
  return node;
}

ModelNode MakeBeeWing(bool right) {
  ModelNode node;
  node.name = right ? "wing1" : "wing2";
  node.texture = "wing.png";
  Mat4 dihedral = RotationZ(10);
  AppendTransformed(node, WingLobe({0.38, 0, -0.02}, 0.34, 0.18, 14), dihedral);
  AppendTransformed(node, WingLobe({0.27, -0.012, 0.19}, 0.21, 0.11, 38), dihedral);
  if (!right) {
    ModelNode mirrored = MirroredX(node);
    mirrored.name = node.name;
    return mirrored;
  }
  return node;
}

ModelNode MakeWholeBee() {
  ModelNode bee = MakeBeeBody();
  bee.name = "bee";
  bee.texture = "bee.png";
  bee.children.push_back(MakeBeeHead());
  ModelNode right = MakeBeeWing(true), left = MakeBeeWing(false);
  right.matrix = RotationZ(18) * Translation({0, kHingeHeight, 0});
  left.matrix = RotationZ(-18) * Translation({0, kHingeHeight, 0});
  bee.children.push_back(right);
  bee.children.push_back(left);
  return bee;
}
