#include "model_node.h"

#include <cmath>
#include <map>
#include <tuple>

int ModelNode::AddVertex(Vec3 position, Vec2 uv) {
  positions.push_back(position);
  normals.push_back({0, 1, 0});
  uvs.push_back(uv);
  return VertexCount() - 1;
}

ModelNode& ModelNode::AddChild(const std::string& childName, const Mat4& placement) {
  ModelNode child;
  child.name = childName;
  child.texture = texture;
  child.matrix = placement;
  children.push_back(std::move(child));
  return children.back();
}

void ModelNode::AddTriangle(int a, int b, int c) {
  Vec3 area = Cross(positions[b] - positions[a], positions[c] - positions[a]);
  if (Length(area) < 1e-10) return;
  triangles.push_back({a, b, c});
}

int AddSurface(ModelNode& node, int columns, int rows, const SurfaceFunction& at) {
  int first = node.VertexCount();
  for (int j = 0; j <= rows; ++j)
    for (int i = 0; i <= columns; ++i) {
      SurfacePoint p = at(static_cast<double>(i) / columns, static_cast<double>(j) / rows);
      node.AddVertex(p.position, p.uv);
    }
  auto index = [&](int i, int j) { return first + j * (columns + 1) + i; };
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < columns; ++i) {
      int a = index(i, j), b = index(i + 1, j), c = index(i + 1, j + 1), d = index(i, j + 1);
      node.AddTriangle(a, b, c);
      node.AddTriangle(a, c, d);
    }
  SmoothNormals(node, first, node.VertexCount());
  return first;
}

namespace {
using PositionKey = std::tuple<long long, long long, long long>;

PositionKey KeyOf(Vec3 p) {
  auto q = [](double v) { return static_cast<long long>(std::llround(v * 1e5)); };
  return {q(p.x), q(p.y), q(p.z)};
}

double CornerAngle(Vec3 at, Vec3 a, Vec3 b) {
  Vec3 u = Normalized(a - at), v = Normalized(b - at);
  double c = Dot(u, v);
  return std::acos(c < -1 ? -1 : (c > 1 ? 1 : c));
}
}  // namespace

void SmoothNormals(ModelNode& node, int first, int last) {
  std::map<PositionKey, int> groupOf;
  std::vector<int> group(last - first);
  for (int i = first; i < last; ++i) {
    auto inserted = groupOf.emplace(KeyOf(node.positions[i]), static_cast<int>(groupOf.size()));
    group[i - first] = inserted.first->second;
  }
  std::vector<Vec3> sums(groupOf.size());
  for (const auto& t : node.triangles) {
    Vec3 p[3] = {node.positions[t[0]], node.positions[t[1]], node.positions[t[2]]};
    Vec3 face = Normalized(Cross(p[1] - p[0], p[2] - p[0]));
    for (int k = 0; k < 3; ++k) {
      int v = t[k];
      if (v < first || v >= last) continue;
      double weight = CornerAngle(p[k], p[(k + 1) % 3], p[(k + 2) % 3]);
      sums[group[v - first]] = sums[group[v - first]] + face * weight;
    }
  }
  for (int i = first; i < last; ++i) {
    Vec3 sum = sums[group[i - first]];
    if (Length(sum) > 1e-12) node.normals[i] = Normalized(sum);
  }
}

void AppendTransformed(ModelNode& node, const ModelNode& part, const Mat4& placement) {
  int offset = node.VertexCount();
  for (int i = 0; i < part.VertexCount(); ++i) {
    node.positions.push_back(TransformPoint(part.positions[i], placement));
    node.normals.push_back(Normalized(TransformDirection(part.normals[i], placement)));
    node.uvs.push_back(part.uvs[i]);
  }
  for (const auto& t : part.triangles) node.triangles.push_back({t[0] + offset, t[1] + offset, t[2] + offset});
}

ModelNode MirroredX(const ModelNode& part) {
  ModelNode mirrored = part;
  for (auto& p : mirrored.positions) p.x = -p.x;
  for (auto& n : mirrored.normals) n.x = -n.x;
  for (auto& t : mirrored.triangles) std::swap(t[1], t[2]);
  mirrored.children.clear();
  return mirrored;
}
