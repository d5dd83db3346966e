#pragma once
// One node of a model tree as the .msh file stores it: a name, the node's own
// matrix, a triangle list with one normal and one texture coordinate per
// position, the name of the texture it is meant to be drawn with, children.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "geometry.h"

struct ModelNode {
  std::string name;
  Mat4 matrix;
  std::string texture;  // file name, e.g. "bee.png"
  std::vector<Vec3> positions;
  std::vector<Vec3> normals;
  std::vector<Vec2> uvs;  // file convention: v = 1 is the image's top row
  std::vector<std::array<int, 3>> triangles;
  std::vector<ModelNode> children;

  int VertexCount() const { return static_cast<int>(positions.size()); }
  // A child drawn with this node's matrix and then its own `placement`, with
  // the same texture; the caller fills in its geometry.
  ModelNode& AddChild(const std::string& childName, const Mat4& placement);
  int AddVertex(Vec3 position, Vec2 uv);
  // Degenerate triangles (no area) are dropped.
  void AddTriangle(int a, int b, int c);
};

struct SurfacePoint {
  Vec3 position;
  Vec2 uv;
};

// A grid of (columns + 1) x (rows + 1) vertices over s, t in [0, 1]; the
// front side (where the normals point) is the side of ds x dt.
using SurfaceFunction = std::function<SurfacePoint(double s, double t)>;
int AddSurface(ModelNode& node, int columns, int rows, const SurfaceFunction& at);

// Normals for the vertices first .. last-1 from the triangles that use them,
// angle-weighted; vertices at the same place inside the range share one
// normal, so seams and poles stay smooth. A flat polygon gets its face normal.
void SmoothNormals(ModelNode& node, int first, int last);

// Appends every vertex and triangle of part to node, moved by placement
// (rotations, translations and uniform scaling only: normals are not
// re-derived).
void AppendTransformed(ModelNode& node, const ModelNode& part, const Mat4& placement);

// The mirror image across the plane x = 0, with the winding and normals
// mirrored too, so the front side stays in front.
ModelNode MirroredX(const ModelNode& part);
