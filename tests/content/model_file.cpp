#include "model_file.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace contenttest {

namespace {
class Reader {
 public:
  explicit Reader(std::string text) : text_(std::move(text)) {}

  bool Word(std::string& word) {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    size_t start = pos_;
    while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    word = text_.substr(start, pos_ - start);
    return !word.empty();
  }
  bool Real(double& value) {
    std::string word;
    if (!Word(word)) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(word.c_str(), &end);
    return *end == 0 && errno == 0;
  }
  // "%i": base from the prefix, as the game's loader reads counts.
  bool IntegerAnyBase(long& value) { return Integer(value, 0); }
  bool Decimal(long& value) { return Integer(value, 10); }
  bool AtEnd() {
    std::string rest;
    return !Word(rest);
  }

 private:
  bool Integer(long& value, int base) {
    std::string word;
    if (!Word(word)) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(word.c_str(), &end, base);
    return *end == 0 && errno == 0;
  }
  std::string text_;
  size_t pos_ = 0;
};

std::array<double, 16> Identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

std::string ReadNode(Reader& in, const std::array<double, 16>& parent, TestModel& model, int depth) {
  if (depth > 16) return "nesting too deep";
  TestNode node;
  if (!in.Word(node.name)) return "missing node name";
  for (double& v : node.own)
    if (!in.Real(v)) return "bad matrix in " + node.name;
  node.accumulated = MultiplyMatrices(parent, node.own);
  long positionCount = 0, triangleCount = 0, uvCount = 0, childCount = 0;
  if (!in.IntegerAnyBase(positionCount) || positionCount < 0 || positionCount > 65536)
    return "bad position count in " + node.name;
  for (auto* list : {&node.positions, &node.normals}) {
    list->resize(positionCount);
    for (TestVec3& v : *list)
      if (!in.Real(v.x) || !in.Real(v.y) || !in.Real(v.z)) return "bad vector in " + node.name;
  }
  if (!in.Decimal(triangleCount) || triangleCount < 0 || triangleCount > 1000000)
    return "bad triangle count in " + node.name;
  node.triangles.resize(triangleCount);
  for (auto& t : node.triangles)
    for (long& i : t)
      if (!in.Decimal(i)) return "bad index in " + node.name;
  if (!in.Word(node.texture)) return "missing texture in " + node.name;
  if (!in.IntegerAnyBase(uvCount) || uvCount < 0 || uvCount > 1000000) return "bad uv count in " + node.name;
  node.uvs.resize(uvCount);
  for (TestVec3& v : node.uvs)
    if (!in.Real(v.x) || !in.Real(v.y) || !in.Real(v.z)) return "bad uv in " + node.name;
  node.uvTriangles.resize(triangleCount);
  for (auto& t : node.uvTriangles)
    for (long& i : t)
      if (!in.Decimal(i)) return "bad uv index in " + node.name;
  if (!in.Decimal(childCount) || childCount < 0 || childCount > 64) return "bad child count in " + node.name;
  node.childCount = static_cast<int>(childCount);
  std::array<double, 16> accumulated = node.accumulated;
  model.nodes.push_back(std::move(node));
  for (long i = 0; i < childCount; ++i) {
    std::string error = ReadNode(in, accumulated, model, depth + 1);
    if (!error.empty()) return error;
  }
  return "";
}
}  // namespace

TestModel ReadModelFile(const std::string& path) {
  TestModel model;
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    model.error = "cannot open " + path;
    return model;
  }
  std::stringstream text;
  text << file.rdbuf();
  Reader in(text.str());
  model.error = ReadNode(in, Identity(), model, 0);
  if (model.error.empty() && !in.AtEnd()) model.error = "text after the root node";
  return model;
}

std::array<double, 16> MultiplyMatrices(const std::array<double, 16>& a, const std::array<double, 16>& b) {
  std::array<double, 16> r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r[i * 4 + j] += a[i * 4 + k] * b[k * 4 + j];
  return r;
}

TestVec3 TransformPoint(const TestVec3& p, const std::array<double, 16>& m) {
  return {p.x * m[0] + p.y * m[4] + p.z * m[8] + m[12], p.x * m[1] + p.y * m[5] + p.z * m[9] + m[13],
          p.x * m[2] + p.y * m[6] + p.z * m[10] + m[14]};
}

TestVec3 TransformDirection(const TestVec3& d, const std::array<double, 16>& m) {
  return {d.x * m[0] + d.y * m[4] + d.z * m[8], d.x * m[1] + d.y * m[5] + d.z * m[9],
          d.x * m[2] + d.y * m[6] + d.z * m[10]};
}

}  // namespace contenttest
