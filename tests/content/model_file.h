#pragma once
// A reader for .msh models written for the tests, independent of the
// generator and of the engine: it follows the file format's own rules
// ("%i" counts, decimal indices, accumulated matrices parent x own) and
// rejects anything the format does not allow. Texture coordinates are kept
// as the file has them (the game flips v when it loads them).
#include <array>
#include <string>
#include <vector>

namespace contenttest {

struct TestVec3 {
  double x = 0, y = 0, z = 0;
};

struct TestNode {
  std::string name, texture;
  std::array<double, 16> own{}, accumulated{};
  std::vector<TestVec3> positions, normals, uvs;
  std::vector<std::array<long, 3>> triangles, uvTriangles;
  int childCount = 0;
};

struct TestModel {
  std::vector<TestNode> nodes;  // depth first, parent before children
  std::string error;            // empty when the file was read completely
};

TestModel ReadModelFile(const std::string& path);

// p x M for a row-vector 4 x 4 matrix stored row by row.
TestVec3 TransformPoint(const TestVec3& p, const std::array<double, 16>& m);
TestVec3 TransformDirection(const TestVec3& d, const std::array<double, 16>& m);
std::array<double, 16> MultiplyMatrices(const std::array<double, 16>& a, const std::array<double, 16>& b);

}  // namespace contenttest
