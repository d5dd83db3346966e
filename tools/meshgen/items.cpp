// The tools lying on cells: binoculars and hammer. The game draws them at
// scale 0.03 about 0.6 above the board, spinning about y, so they are built
// large (about 40 units across), centred on the origin and lying flat, to be
// recognised from above. Each root matrix shrinks its tool so that, turning,
// it stays about as wide as a cell instead of reaching over the next ones.
//
// Texture layouts:
// - "binokol": the upper 72% is the body (u round a barrel, v along it from
//   the eyepiece at 28% up to the objective at the top row); the lowest
//   quarter is the metal of the lenses, seen face-on as a disc centred 13%
//   above the bottom edge with radius 11% of the width.
// - "molot": the left half of the image is the wooden handle (u round it,
//   v from the butt at the bottom row to the head at the top), the right
//   half the head (u round it, v along its axis).
#include <algorithm>
#include <cmath>

#include "models.h"
#include "shapes.h"

namespace {
Vec2 LensUv(double s, double t) {
  double a = 2 * kPi * s;
  return {0.5 + 0.11 * t * std::cos(a), 0.13 + 0.11 * t * std::sin(a)};
}

void AddBarrel(ModelNode& node) {
  // The turning axis (local y) lies along +x: eyepiece at -x, objective at +x.
  Mat4 place = RotationZ(-90);
  auto profile = [](double t) -> Profile {
    double h = -18 + 36 * t;
    double r;
    if (t < 0.12) r = 4.6 + 0.8 * t / 0.12;                        // eyepiece
    else if (t < 0.7) r = 6.4 + 0.3 * std::sin(kPi * (t - 0.12) / 0.58);  // body
    else r = 6.4 + 1.4 * SmoothStep(0.7, 0.85, t);                 // objective bell
    return {r, h};
  };
  AddLathe(node, 16, 12, 0, profile, place, [](double s, double t) { return Vec2{s, 0.28 + 0.70 * t}; });
  // Glass at both ends, set a little into the rims.
  AddLathe(node, 16, 2, 0, [](double t) { return Profile{4.6 * t, -17.4}; }, place, LensUv);
  AddLathe(
      node, 16, 2, 0, [](double t) { return Profile{7.8 * (1 - t), 17.2}; }, place,
      [](double s, double t) { return LensUv(s, 1 - t); });
}
}  // namespace

ModelNode MakeBinoculars() {
  ModelNode node;
  node.name = "l_binokl";
  node.texture = "binokol.png";
  node.matrix = Scaling(0.85, 0.85, 0.85);
  // The hinge between the barrels and the focus wheel on it; the barrels
  // are its children.
  Mat4 hinge = RotationZ(-90) * Translation({0, 2.0, 0});
  AddLathe(node, 12, 2, 0, [](double t) { return Profile{3.0, -12 + 24 * t}; }, hinge,
           [](double s, double t) { return Vec2{s, 0.3 + 0.3 * t}; });
  AddEllipsoid(node, {3.0, 3.0, 3.0}, 10, 5, 0, Translation({-12, 2.0, 0}), UvAt(0.5, 0.4));
  AddEllipsoid(node, {3.0, 3.0, 3.0}, 10, 5, 0, Translation({12, 2.0, 0}), UvAt(0.5, 0.4));
  AddLathe(
      node, 14, 4, 0,
      [](double t) {
        double a = kPi * t;
        return Profile{3.0 + 1.3 * std::sin(a), -7.5 - 1.6 * std::cos(a)};
      },
      hinge, [](double s, double t) { return Vec2{s, 0.5 + 0.2 * t}; });
  AddBarrel(node.AddChild("barrel_left", Translation({0, 0, 7.6})));
  AddBarrel(node.AddChild("barrel_right", Translation({0, 0, -7.6})));
  return node;
}

ModelNode MakeHammer() {
  ModelNode node;
  node.name = "l_molot";
  node.texture = "molot.png";
  node.matrix = Scaling(0.72, 0.72, 0.72);
  // Handle along x, from the butt at -28 to the head.
  Mat4 handle = RotationZ(-90);
  AddLathe(
      node, 12, 10, 0,
      [](double t) {
        double h = -28 + 44 * t;
        double r = 2.7 + 0.6 * (1 - SmoothStep(0.15, 0.5, t));  // thicker grip
        if (t < 0.06) r = 3.7 * std::sin(kPi / 2 * (0.35 + 0.65 * t / 0.06));  // rounded knob
        return Profile{t == 0 ? 0 : r, h - (t == 0 ? 0.8 : 0)};
      },
      handle, [](double s, double t) { return Vec2{0.02 + 0.46 * s, 0.02 + 0.96 * t}; });
  // A chunky head across the handle's end, along z, with rounded faces.
  ModelNode& head = node.AddChild("head", Translation({20, 0, 0}));
  AddLathe(
      head, 16, 12, 0,
      [](double t) -> Profile {
        double h = -15 + 30 * t;
        double edge = std::min(t, 1 - t) / 0.08;  // rounded at both faces
        double r = edge >= 1 ? 7.0 + 0.5 * std::pow(std::fabs(2 * t - 1), 4) : 7.2 * std::sqrt(edge * (2 - edge));
        return {t == 0 || t == 1 ? 0 : r, h};
      },
      RotationX(90), [](double s, double t) { return Vec2{0.52 + 0.46 * s, 0.02 + 0.96 * t}; });
  return node;
}
