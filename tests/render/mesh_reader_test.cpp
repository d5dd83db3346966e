#include <string>

#include <gtest/gtest.h>

#include "render/mesh.h"
#include "support/recording.h"

namespace {

using rendertest::RenderTest;

const char* kIdentity = "1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\n";

// One triangle with the given texture coordinates, no children.
std::string Node(const std::string& name, const std::string& matrix, const std::string& texture,
                 const std::string& children = "0\n") {
  return name + "\n" + matrix +
         "3\n"
         "0 0 0\n1 0 0\n0 2 0\n"
         "0 0 1\n0 0 1\n0 0 1\n"
         "1\n"
         "0 1 2\n" +
         texture +
         "\n"
         "3\n"
         "0 0 0\n1 0 0\n0.25 0.75 0\n"
         "0 1 2\n" +
         children;
}

class MeshReaderTest : public RenderTest {
 protected:
  Mesh Load(const std::string& text) {
    releaseMesh(mesh);
    Write("m.msh", text);
    mesh = loadMesh("m.msh");
    return mesh;
  }
  // The node keeps no copy of its vertices: they are in its buffer.
  static const Vertex* Uploaded(const MeshNode& node) {
    void* data = nullptr;
    node.vertexBuffer->Lock(0, 0, &data, D3DLOCK_READONLY);
    return static_cast<const Vertex*>(data);
  }
  void TearDown() override {
    releaseMesh(mesh);
    RenderTest::TearDown();
  }
  Mesh mesh;
};

TEST_F(MeshReaderTest, ReadsANodeExpandingTrianglesWithFlippedVAndItsTextureName) {
  Load(Node("root", kIdentity, "bee.png"));
  ASSERT_NE(mesh.root, nullptr);
  const MeshNode& node = *mesh.root;
  EXPECT_STREQ(node.name, "root");
  EXPECT_STREQ(node.textureName, "bee");
  ASSERT_EQ(node.vertexCount, 3);
  ASSERT_NE(node.vertexBuffer, nullptr);
  EXPECT_EQ(node.vertexBuffer->Length(), 3 * 56u);
  const Vertex* vertices = Uploaded(node);
  EXPECT_FLOAT_EQ(vertices[2].position.y, 2.0f);
  EXPECT_FLOAT_EQ(vertices[1].normal.z, 1.0f);
  EXPECT_EQ(vertices[0].colour, 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(vertices[0].v0, 1.0f);
  EXPECT_FLOAT_EQ(vertices[2].u0, 0.25f);
  EXPECT_FLOAT_EQ(vertices[2].v0, 0.25f);
  EXPECT_EQ(node.boundsMin, D3DXVECTOR3(0, 0, 0));
  EXPECT_EQ(node.boundsMax, D3DXVECTOR3(1, 2, 0));
  EXPECT_TRUE(node.children.empty());

  // A texture name of four characters is only its extension: stored empty.
  Load(Node("root", kIdentity, ".png"));
  ASSERT_NE(mesh.root, nullptr);
  EXPECT_STREQ(mesh.root->textureName, "");
}

TEST_F(MeshReaderTest, AMissingFileGivesAMeshWithoutRootThatDrawsNothing) {
  mesh = loadMesh("models\\nothing.msh");
  EXPECT_EQ(mesh.root, nullptr);
  D3DXMATRIX before = Graphics.WorldMatrix;
  mesh.drawAt(D3DXVECTOR3(1, 2, 3), 2);
  mesh.drawTransformed(D3DXVECTOR3(1, 2, 3), 10, 20, 30, 2);
  EXPECT_TRUE(device->Calls().empty());
  EXPECT_EQ(Graphics.WorldMatrix, before);
}

TEST_F(MeshReaderTest, TrianglesWithIndicesOutsideTheirArraysAreLeftOut) {
  Load(std::string("root\n") + kIdentity +
       "3\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 1\n0 0 1\n"
       "4\n0 1 2\n0 1 3\n-1 1 2\n2 1 0\n"
       "t.png\n2\n0 0 0\n1 1 0\n"
       "0 1 1\n0 0 0\n0 0 0\n0 2 1\n0\n");
  ASSERT_NE(mesh.root, nullptr);
  EXPECT_EQ(mesh.root->vertexCount, 3);  // only the first triangle is whole
  // The positions kept match the triangles drawn, one for one.
  EXPECT_EQ(mesh.root->positions, (std::vector<D3DXVECTOR3>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
}

TEST_F(MeshReaderTest, ATruncatedFileKeepsTheNodesReadBeforeTheBreak) {
  std::string child = Node("child", kIdentity, "b.png");
  std::string full = Node("root", kIdentity, "a.png", "2\n" + child + child);
  for (size_t cut : {size_t{0}, size_t{3}, full.size() / 4, full.size() / 2, full.size() - 3, full.size() - 8}) {
    Load(full.substr(0, cut));
    ASSERT_NE(mesh.root, nullptr) << cut;
    EXPECT_LE(mesh.root->children.size(), 2u);
    for (const auto& c : mesh.root->children) EXPECT_TRUE(c->vertexCount == 0 || c->vertexCount == 3);
    mesh.drawAt(D3DXVECTOR3(0, 0, 0), 1);
    releaseMesh(mesh);
  }
  Load(full.substr(0, full.size() - 8));  // into the last child's texture indices
  ASSERT_EQ(mesh.root->children.size(), 2u);
  EXPECT_EQ(mesh.root->vertexCount, 3);
  EXPECT_EQ(mesh.root->children[0]->vertexCount, 3);
  EXPECT_EQ(mesh.root->children[1]->vertexCount, 0);  // its texture indices were cut off
}

TEST_F(MeshReaderTest, AbsurdCountsReadOnlyWhatTheFileHolds) {
  Load(std::string("root\n") + kIdentity + "2147483647\n0 0 0\n1 0 0\n0 1 0\n");
  ASSERT_NE(mesh.root, nullptr);
  EXPECT_EQ(mesh.root->vertexCount, 0);
  Load(Node("root", kIdentity, "a.png", "99999999999\n"));
  EXPECT_EQ(mesh.root->vertexCount, 3);
  EXPECT_TRUE(mesh.root->children.empty());
  Load(std::string("root\n") + kIdentity + "3\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 1\n0 0 1\n-5\nt.png\n0\n0\n");
  EXPECT_EQ(mesh.root->vertexCount, 0);
}

TEST_F(MeshReaderTest, NestingIsBoundedInDepth) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += std::string("n\n") + kIdentity + "0\n0\nt.png\n0\n1\n";
  Load(text);
  ASSERT_NE(mesh.root, nullptr);
  int depth = 0;
  for (const MeshNode* node = mesh.root.get(); !node->children.empty(); node = node->children[0].get()) ++depth;
  EXPECT_GT(depth, 10);
  EXPECT_LT(depth, 100);
  mesh.drawAt(D3DXVECTOR3(0, 0, 0), 1);
}

}  // namespace
