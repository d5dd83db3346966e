#include "msh_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {
class Tokens {
 public:
  explicit Tokens(std::istream& in) : in_(in) {}
  bool Word(std::string& word) { return static_cast<bool>(in_ >> word); }
  bool Number(double& value) {
    std::string word;
    if (!Word(word)) return false;
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return *end == 0;
  }
  // Counts are read like "%i": a leading 0 means octal, 0x hexadecimal.
  bool Count(long& value) {
    std::string word;
    if (!Word(word)) return false;
    char* end = nullptr;
    value = std::strtol(word.c_str(), &end, 0);
    return *end == 0 && value >= 0 && value < 10000000;
  }

 private:
  std::istream& in_;
};

bool ReadTriples(Tokens& tokens, long count, std::vector<Vec3>& out) {
  out.resize(count);
  for (auto& v : out)
    if (!tokens.Number(v.x) || !tokens.Number(v.y) || !tokens.Number(v.z)) return false;
  return true;
}

bool ReadIndices(Tokens& tokens, long count, long limit, std::vector<long>& out) {
  out.resize(count * 3);
  for (auto& i : out)
    if (!tokens.Count(i) || i >= limit) return false;
  return true;
}

bool ReadNode(Tokens& tokens, const Mat4& parent, std::vector<PreviewNode>& nodes, int depth) {
  if (depth > 32) return false;
  PreviewNode node;
  if (!tokens.Word(node.name)) return false;
  Mat4 own;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (!tokens.Number(own.m[r][c])) return false;
  node.matrix = parent * own;
  long positionCount = 0, triangleCount = 0, uvCount = 0, childCount = 0;
  std::vector<Vec3> positions, normals, uvs;
  std::vector<long> indices, uvIndices;
  if (!tokens.Count(positionCount) || !ReadTriples(tokens, positionCount, positions) ||
      !ReadTriples(tokens, positionCount, normals))
    return false;
  if (!tokens.Count(triangleCount) || !ReadIndices(tokens, triangleCount, positionCount, indices)) return false;
  if (!tokens.Word(node.texture)) return false;
  if (!tokens.Count(uvCount) || !ReadTriples(tokens, uvCount, uvs)) return false;
  if (!ReadIndices(tokens, triangleCount, uvCount, uvIndices)) return false;
  for (size_t i = 0; i < indices.size(); ++i) {
    const Vec3& uv = uvs[uvIndices[i]];
    node.corners.push_back({positions[indices[i]], normals[indices[i]], {uv.x, 1 - uv.y}});
  }
  Mat4 accumulated = node.matrix;
  nodes.push_back(std::move(node));
  if (!tokens.Count(childCount)) return false;
  for (long i = 0; i < childCount; ++i)
    if (!ReadNode(tokens, accumulated, nodes, depth + 1)) return false;
  return true;
}
}  // namespace

bool LoadMsh(const std::string& path, std::vector<PreviewNode>& nodes) {
  std::ifstream in(path);
  if (!in) return false;
  Tokens tokens(in);
  nodes.clear();
  return ReadNode(tokens, Mat4{}, nodes, 0);
}
