#include <string>

#include <gtest/gtest.h>

#include "render/mesh_registry.h"
#include "support/recording.h"

namespace {

using rendertest::RenderTest;

const char* kTriangleNode =
    "%s\n"
    "1 0 0 0 0 1 0 0 0 0 1 0 %d 0 0 1\n"
    "3\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 1\n0 0 1\n"
    "1\n0 1 2\n"
    "t.png\n3\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n";

std::string TriangleNode(const char* name, int offsetX, int children) {
  char text[512];
  std::snprintf(text, sizeof text, kTriangleNode, name, offsetX);
  return std::string(text) + std::to_string(children) + "\n";
}

class MeshDrawTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    Write("bin/error.msh", TriangleNode("error", 0, 0));
    Write("models/pair.msh", TriangleNode("parent", 1, 1) + TriangleNode("child", 2, 0));
    Meshes.loadErrorMesh();
  }
};

TEST_F(MeshDrawTest, RegistryLoadsNewNamesOnceAndFallsBackToTheErrorMesh) {
  EXPECT_TRUE(Meshes.addMeshes("pair,   missing"));
  EXPECT_FALSE(Meshes.addMeshes("missing pair"));
  ASSERT_EQ(Meshes.meshes.size(), 2u);
  EXPECT_EQ(Meshes.find("pair").root, Meshes.meshes[0].root);
  EXPECT_STREQ(Meshes.find("pair").root->name, "parent");
  EXPECT_EQ(Meshes.find("missing").root, nullptr);  // registered, file absent: draws nothing
  EXPECT_EQ(Meshes.find("Pair").root, Meshes.errorMesh.root);
  EXPECT_EQ(Meshes.find(nullptr).root, Meshes.errorMesh.root);
  ASSERT_NE(Meshes.errorMesh.root, nullptr);
  EXPECT_STREQ(Meshes.errorMesh.root->name, "error");
}

}  // namespace

namespace {

}  // namespace
