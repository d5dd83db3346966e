// Every generated model loads whole through the game's own mesh loader.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "content_paths.h"
#include "render/mesh.h"
#include "support/recording.h"

using namespace contenttest;

namespace {
// Triangles of a node and its children; false when a position is not finite.
bool CountTriangles(const MeshNode& node, int* triangles) {
  const D3DXVECTOR3 extent = node.boundsMax - node.boundsMin;
  if (node.vertexCount > 0 && !std::isfinite(extent.x + extent.y + extent.z)) return false;
  if (node.vertexCount % 3 != 0) return false;
  *triangles += node.vertexCount / 3;
  for (const auto& child : node.children)
    if (!CountTriangles(*child, triangles)) return false;
  return true;
}
}  // namespace

TEST(EngineModelLoad, EveryModelLoadsWhole) {
  Device = support::NewRecordingDevice();
  for (const std::string name : {"hexagon", "l_brevno", "l_binokl", "skybox", "l_grass1", "l_grass2", "l_grib",
                                 "l_island", "l_island2", "l_island3", "l_island4", "l_molot", "l_most", "l_stone1",
                                 "l_stone2", "l_vopros", "l_voskl", "bee", "flower", "flag", "body", "head", "wing1",
                                 "wing2", "error"}) {
    SCOPED_TRACE(name);
    const std::string path = name == "error" ? GameFile("bin/error.msh") : GameFile("models/" + name + ".msh");
    Mesh mesh = loadMesh(path.c_str());
    ASSERT_NE(mesh.root, nullptr);
    int triangles = 0;
    EXPECT_TRUE(CountTriangles(*mesh.root, &triangles));
    EXPECT_GT(triangles, 0);
    releaseMesh(mesh);
  }
  Device->Release();
  Device = nullptr;
}
