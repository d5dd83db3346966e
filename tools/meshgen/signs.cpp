// Big rounded question and exclamation marks for the islands, and the
// fallback model. The glyphs are round tubes in a plane facing -x (towards
// the round's camera at yaw 0; the reader's right is -z), leaning back a
// little so they read from above. They stand on y = 0 and are about 2 high.
//
// Texture layout: both marks are drawn with "vopros", a round blue button;
// they map their front view into a blue patch left of its middle (u 0.2 ..
// 0.3, v 0.3 .. 0.7), so they come out as solid blue glyphs.
#include <cmath>

#include "models.h"
#include "shapes.h"

namespace {
constexpr double kLean = -20;  // about z: the top tips towards +x
constexpr double kTube = 0.15;

// Glyph coordinates: gx to the reader's right, gy up.
Vec3 FromGlyph(double gx, double gy) { return TransformPoint({0, gy, -gx}, RotationZ(kLean)); }

constexpr UvRect kBluePatch{0.2, 0.3, 0.3, 0.7};
constexpr UvRect kWholeImage{0, 0, 1, 1};

// The front view of the glyph (about 1.3 wide and 2.1 high) into a texture
// rectangle.
void MapGlyph(ModelNode& node, int first, const UvRect& area) {
  for (int i = first; i < node.VertexCount(); ++i) {
    Vec3 flat = TransformPoint(node.positions[i], RotationZ(-kLean));
    double across = 0.5 - flat.z / 1.3, up = flat.y / 2.1;
    node.uvs[i] = {area.u0 + (area.u1 - area.u0) * across, area.v0 + (area.v1 - area.v0) * up};
  }
}

void AddDot(ModelNode& node, double gy, double radius, const UvRect& area) {
  int first = AddEllipsoid(node, {radius, radius, radius}, 20, 12, 0, Translation(FromGlyph(0, gy)), UvAt(0, 0));
  MapGlyph(node, first, area);
}

void AddRoundTube(ModelNode& node, const std::vector<Vec3>& path, const std::vector<double>& radii,
                  const UvRect& area) {
  int first = AddTube(node, path, radii, 16, UvAt(0, 0));
  for (int end : {0, static_cast<int>(path.size()) - 1}) {
    double r = radii[end];
    AddEllipsoid(node, {r, r, r}, 16, 10, 0, Translation(path[end]), UvAt(0, 0));
  }
  MapGlyph(node, first, area);
}

void AddQuestionGlyph(ModelNode& node) {
  std::vector<Vec3> path;
  for (int i = 0; i <= 24; ++i) {
    double a = Radians(155 - 205.0 * i / 24);  // over the top, clockwise
    path.push_back(FromGlyph(0.42 * std::cos(a), 1.45 + 0.42 * std::sin(a)));
  }
  auto tail = CubicCurve(FromGlyph(0.42 * std::cos(Radians(-50)), 1.45 + 0.42 * std::sin(Radians(-50))),
                         FromGlyph(0.12, 1.02), FromGlyph(0, 0.98), FromGlyph(0, 0.66), 10);
  path.insert(path.end(), tail.begin() + 1, tail.end());
  AddRoundTube(node, path, std::vector<double>(path.size(), kTube), kBluePatch);
}

void AddExclamationGlyph(ModelNode& node, double scale, const UvRect& area) {
  std::vector<Vec3> path;
  std::vector<double> radii;
  for (int i = 0; i <= 10; ++i) {
    double t = i / 10.0;
    path.push_back(FromGlyph(0, 1.85 - 1.15 * t) * scale);
    radii.push_back((0.21 - 0.09 * t) * scale);
  }
  AddRoundTube(node, path, radii, area);
}
}  // namespace

ModelNode MakeQuestionMark() {
  ModelNode node;
  node.name = "l_vopros";
  node.texture = "vopros.png";
  AddQuestionGlyph(node);
  AddDot(node, 0.2, 0.18, kBluePatch);
  return node;
}

ModelNode MakeExclamationMark() {
  ModelNode node;
  node.name = "l_voskl";
  node.texture = "vopros.png";
  AddExclamationGlyph(node, 1, kBluePatch);
  AddDot(node, 0.2, 0.18, kBluePatch);
  return node;
}

// A warning sign: a thick triangle frame around an exclamation mark, about
// one unit high, so a missing model shows up as plainly wrong.
ModelNode MakeErrorModel() {
  ModelNode node;
  node.name = "error";
  node.texture = "error.png";
  AddExclamationGlyph(node, 0.4, kWholeImage);
  AddDot(node, 0.1, 0.07, kWholeImage);
  std::vector<Vec3> frame;
  const double corners[4][2] = {{-0.7, -0.05}, {0.7, -0.05}, {0.0, 1.15}, {-0.7, -0.05}};
  for (int side = 0; side < 3; ++side)
    for (int i = 0; i < 8; ++i) {
      double t = i / 8.0;
      frame.push_back(FromGlyph(corners[side][0] + (corners[side + 1][0] - corners[side][0]) * t,
                                corners[side][1] + (corners[side + 1][1] - corners[side][1]) * t));
    }
  frame.push_back(frame.front());
  AddRoundTube(node, frame, std::vector<double>(frame.size(), 0.06), kWholeImage);
  return node;
}
