// The board cell. Corners point to +-z at distance 1, flat sides face +-x.
// The face lies in y = 0 and the rim hangs below it towards +y: cells are
// drawn turned half a turn about z (so +y becomes down), open numbered cells
// unturned (the rim then stands up around the face, leaving the face at the
// board's height so highlights drawn on top still meet it), and the number
// plate turned by (180, -90, 0) at half size.
//
// Texture layout of every hexagon texture: a pointy-top hexagon filling the
// image (corners at the middle of the top and bottom edges, flat sides on the
// left and right edges). A number plate shows the image upright on screen;
// a cell shows it a quarter turn clockwise.
#include <cmath>

#include "models.h"

namespace {
constexpr double kCornerDistance = 1.0;
constexpr double kRimDepth = 0.08;
const double kHalfWidth = kCornerDistance * std::sqrt(3.0) / 2;

Vec3 Corner(int i) {
  double angle = Radians(90 + 60 * i);  // corner 0 at +z, then towards -x
  return {kCornerDistance * std::cos(angle), 0, kCornerDistance * std::sin(angle)};
}

Vec2 FaceUv(Vec3 p) { return {(p.x / kHalfWidth + 1) / 2, (1 - p.z / kCornerDistance) / 2}; }
}  // namespace

ModelNode MakeHexagon() {
  ModelNode node;
  node.name = "hexagon";
  node.texture = "hex_close6.png";
  int centre = node.AddVertex({0, 0, 0}, FaceUv({0, 0, 0}));
  int corners[6];
  for (int i = 0; i < 6; ++i) corners[i] = node.AddVertex(Corner(i), FaceUv(Corner(i)));
  // The face's front is -y: that is up once the cell is turned.
  for (int i = 0; i < 6; ++i) node.AddTriangle(centre, corners[i], corners[(i + 1) % 6]);
  SmoothNormals(node, 0, node.VertexCount());
  for (int i = 0; i < 6; ++i) {
    Vec3 a = Corner(i), b = Corner((i + 1) % 6);
    int first = node.VertexCount();
    int top0 = node.AddVertex(a, FaceUv(a)), top1 = node.AddVertex(b, FaceUv(b));
    int low0 = node.AddVertex({a.x, kRimDepth, a.z}, FaceUv(a));
    int low1 = node.AddVertex({b.x, kRimDepth, b.z}, FaceUv(b));
    node.AddTriangle(top0, low1, top1);
    node.AddTriangle(top0, low0, low1);
    SmoothNormals(node, first, node.VertexCount());
  }
  return node;
}
