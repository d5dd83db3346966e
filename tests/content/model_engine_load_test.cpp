// The game's own mesh loader reads every generated model the same way the
// content tests' independent reader does.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/graphics_device.h"
#include "content_paths.h"
#include "model_file.h"
#include "support/recording.h"
#include "render/mesh.h"

using namespace contenttest;

namespace {
class EngineModelLoad : public testing::Test {
 protected:
  void SetUp() override {
    device = support::NewRecordingDevice();
    Device = device;
  }
  void TearDown() override {
    Device = nullptr;
    device->Release();
  }
  d3d9::RecordingDevice* device = nullptr;
};

void CollectNodes(const MeshNode& node, std::vector<const MeshNode*>& out) {
  out.push_back(&node);
  for (const auto& child : node.children) CollectNodes(*child, out);
}
}  // namespace

TEST_F(EngineModelLoad, EveryModelLoadsWholeWithTheSameTrianglesAndFlippedV) {
  const char* names[] = {"hexagon", "l_brevno", "l_binokl", "skybox", "l_grass1", "l_grass2", "l_grib", "l_island",
                         "l_island2", "l_island3", "l_island4", "l_molot", "l_most", "l_stone1", "l_stone2",
                         "l_vopros", "l_voskl", "bee", "flower", "flag", "body", "head", "wing1", "wing2", "error"};
  for (const std::string name : names) {
    SCOPED_TRACE(name);
    std::string path = name == "error" ? GameFile("bin/error.msh") : GameFile("models/" + name + ".msh");
    TestModel expected = ReadModelFile(path);
    ASSERT_EQ(expected.error, "");
    Mesh mesh = loadMesh(path.c_str());
    ASSERT_NE(mesh.root, nullptr);
    std::vector<const MeshNode*> nodes;
    CollectNodes(*mesh.root, nodes);
    ASSERT_EQ(nodes.size(), expected.nodes.size());
    for (size_t n = 0; n < nodes.size(); ++n) {
      const MeshNode& node = *nodes[n];
      const TestNode& want = expected.nodes[n];
      EXPECT_EQ(std::string(node.name), want.name);
      EXPECT_EQ(std::string(node.textureName), want.texture.substr(0, want.texture.size() - 4));
      ASSERT_EQ(node.vertexCount, static_cast<int32_t>(3 * want.triangles.size()));
      for (int k = 0; k < 16; ++k) EXPECT_NEAR(node.matrix.m[k / 4][k % 4], want.accumulated[k], 1e-4);
      for (size_t t = 0; t < want.triangles.size(); t += 37) {
        for (int k = 0; k < 3; ++k) {
          const Vertex& v = node.vertices[3 * t + k];
          const TestVec3& p = want.positions[want.triangles[t][k]];
          const TestVec3& uv = want.uvs[want.uvTriangles[t][k]];
          EXPECT_NEAR(v.position.x, p.x, 1e-4);
          EXPECT_NEAR(v.position.y, p.y, 1e-4);
          EXPECT_NEAR(v.position.z, p.z, 1e-4);
          EXPECT_NEAR(v.u0, uv.x, 1e-5);
          EXPECT_NEAR(v.v0, 1 - uv.y, 1e-5);
        }
      }
    }
    releaseMesh(mesh);
  }
}
