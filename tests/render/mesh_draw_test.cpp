#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/mesh_registry.h"
#include "render/render_fixture.h"

namespace {

using rendertest::RenderTest;
using rendertest::VertexConstant;

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

  // The transposed matrix in four vertex constants from `first` on.
  D3DXMATRIX ConstantMatrix(const d3d9::RecordedDraw& draw, int first) {
    D3DXMATRIX m;
    for (int row = 0; row < 4; ++row)
      for (int column = 0; column < 4; ++column) m(column, row) = draw.state.vertexConstants[first + row][column];
    return m;
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

TEST_F(MeshDrawTest, DrawAtPlacesEveryNodeByItsMatrixOnTopOfScaleAndTranslation) {
  Meshes.addMeshes("pair");
  D3DXMatrixTranslation(&WorldMatrix, 100, 100, 100);  // replaced, not multiplied in
  const D3DXMATRIX before = WorldMatrix;
  Meshes.find("pair").drawAt(D3DXVECTOR3(0, 0, 5), 2);
  ASSERT_EQ(device->Draws().size(), 2u);
  EXPECT_EQ(WorldMatrix, before);

  D3DXMATRIX scaling, translation, world, parent, child;
  D3DXMatrixScaling(&scaling, 2, 2, 2);
  D3DXMatrixTranslation(&translation, 0, 0, 5);
  world = scaling * translation;
  parent = Meshes.find("pair").root->matrix * world;
  child = Meshes.find("pair").root->children[0]->matrix * world;
  const auto& first = device->Draws()[0];
  const auto& second = device->Draws()[1];
  EXPECT_EQ(ConstantMatrix(first, 12), parent);
  EXPECT_EQ(ConstantMatrix(first, 0), parent);
  EXPECT_EQ(ConstantMatrix(second, 12), child);
  EXPECT_FLOAT_EQ(child(3, 0), 6.0f);  // (1 + 2) doubled
  EXPECT_EQ(first.type, D3DPT_TRIANGLELIST);
  EXPECT_EQ(first.primitiveCount, 1u);
  EXPECT_EQ(first.stride, 56u);
  EXPECT_EQ(first.state.stream, Meshes.find("pair").root->vertexBuffer);
  EXPECT_EQ(second.state.stream, Meshes.find("pair").root->children[0]->vertexBuffer);
}

TEST_F(MeshDrawTest, DrawTransformedTurnsZThenYThenX) {
  Meshes.find("x").drawTransformed(D3DXVECTOR3(1, 2, 3), 90, 0, 180, 1);
  ASSERT_EQ(device->Draws().size(), 1u);
  D3DXMATRIX rx, rz, t;
  D3DXMatrixRotationX(&rx, 90 * 0.017453292f);
  D3DXMatrixRotationZ(&rz, 180 * 0.017453292f);
  D3DXMatrixTranslation(&t, 1, 2, 3);
  D3DXMATRIX expected = rz * rx * t;
  D3DXMATRIX got = ConstantMatrix(device->Draws()[0], 0);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(got(r, c), expected(r, c), 1e-5) << r << c;
}

TEST_F(MeshDrawTest, TheFixedFunctionPathSetsTheWorldTransform) {
  UseShaderPath(false);
  Meshes.find("x").drawAt(D3DXVECTOR3(4, 0, 0), 1);
  ASSERT_EQ(device->Draws().size(), 1u);
  EXPECT_FLOAT_EQ(device->Draws()[0].state.world._41, 4.0f);
}

}  // namespace

namespace {

// The models the generator writes into the game folder, when they have been
// built: every one must load whole, each node with triangles.
TEST(GeneratedModels, EveryModelLoadsWhole) {
  const std::string game = KESTRIN_GAME_DIR;
  std::vector<std::string> files;
  if (std::filesystem::exists(game + "/models"))
    for (const auto& entry : std::filesystem::directory_iterator(game + "/models"))
      if (entry.path().extension() == ".msh") files.push_back(entry.path().string());
  if (std::filesystem::exists(game + "/bin/error.msh")) files.push_back(game + "/bin/error.msh");
  if (files.empty()) GTEST_SKIP() << "the models have not been generated";
  D3DPRESENT_PARAMETERS parameters{};
  auto* recording = new d3d9::RecordingDevice(parameters, D3DCREATE_HARDWARE_VERTEXPROCESSING);
  Device = recording;
  for (const std::string& file : files) {
    Mesh mesh = loadMesh(file.c_str());
    ASSERT_NE(mesh.root, nullptr) << file;
    std::vector<const MeshNode*> nodes = {mesh.root};
    for (size_t i = 0; i < nodes.size(); ++i) {
      const MeshNode* node = nodes[i];
      EXPECT_GT(node->vertexCount, 0) << file << " " << node->name;
      EXPECT_EQ(node->vertexCount, static_cast<int32_t>(node->indices.size())) << file << " " << node->name;
      EXPECT_NE(node->name[0], '\0') << file;
      EXPECT_NE(node->textureName[0], '\0') << file;
      for (const auto& child : node->children) nodes.push_back(child.get());
    }
    releaseMesh(mesh);
  }
  Device = nullptr;
  recording->Release();
}

}  // namespace
