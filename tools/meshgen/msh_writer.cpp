#include "msh_writer.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {
// Positions are read back as unsigned 16-bit indices, names into 32 bytes.
constexpr int kMaxPositions = 65535;
constexpr size_t kMaxNameLength = 31;

void AppendNumber(std::string& out, double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.5f", value);
  // "-0.00000" and "0.00000" read the same; write one spelling.
  if (std::string(text) == "-0.00000") std::snprintf(text, sizeof text, "0.00000");
  out += text;
}

void AppendTriple(std::string& out, Vec3 v) {
  AppendNumber(out, v.x);
  out += ' ';
  AppendNumber(out, v.y);
  out += ' ';
  AppendNumber(out, v.z);
  out += '\n';
}

void AppendIndices(std::string& out, const std::array<int, 3>& t) {
  out += std::to_string(t[0]) + ' ' + std::to_string(t[1]) + ' ' + std::to_string(t[2]) + '\n';
}

void CheckLimits(const ModelNode& node) {
  if (node.name.empty() || node.name.size() > kMaxNameLength || node.name.find(' ') != std::string::npos)
    throw std::runtime_error("bad node name \"" + node.name + "\"");
  if (node.texture.size() < 5 || node.texture.size() > kMaxNameLength || node.texture.find(' ') != std::string::npos)
    throw std::runtime_error("bad texture name in node " + node.name);
  if (node.VertexCount() > kMaxPositions) throw std::runtime_error("too many positions in node " + node.name);
  if (node.normals.size() != node.positions.size() || node.uvs.size() != node.positions.size())
    throw std::runtime_error("normals or uvs missing in node " + node.name);
  for (const auto& t : node.triangles)
    for (int i : t)
      if (i < 0 || i >= node.VertexCount()) throw std::runtime_error("bad index in node " + node.name);
}

void AppendNode(std::string& out, const ModelNode& node) {
  CheckLimits(node);
  out += node.name + '\n';
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      AppendNumber(out, node.matrix.m[r][c]);
      out += (r == 3 && c == 3) ? '\n' : ' ';
    }
  // Counts are written in plain decimal: "%i" would read a leading 0 as octal.
  out += std::to_string(node.positions.size()) + '\n';
  for (Vec3 p : node.positions) AppendTriple(out, p);
  for (Vec3 n : node.normals) AppendTriple(out, n);
  out += std::to_string(node.triangles.size()) + '\n';
  for (const auto& t : node.triangles) AppendIndices(out, t);
  out += node.texture + '\n';
  out += std::to_string(node.uvs.size()) + '\n';
  for (Vec2 uv : node.uvs) AppendTriple(out, {uv.u, uv.v, 0});
  for (const auto& t : node.triangles) AppendIndices(out, t);
  out += std::to_string(node.children.size()) + '\n';
  for (const auto& child : node.children) AppendNode(out, child);
}
}  // namespace

std::string MshText(const ModelNode& root) {
  std::string out;
  AppendNode(out, root);
  return out;
}

bool WriteMsh(const std::string& path, const ModelNode& root) {
  std::string text;
  try {
    text = MshText(root);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), e.what());
    return false;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}
