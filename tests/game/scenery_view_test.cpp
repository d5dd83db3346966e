// Scenery wholly outside the view is left out of the frame; scenery that
// reaches into it, with any of its nodes, is drawn.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "core/frustum.h"
#include "game/draw_game.h"
#include "platform/d3d9/recording/recording_device.h"
#include "play_test_support.h"
#include "render/mesh_registry.h"
#include "render/quad_buffers.h"
#include "render/texture_cache.h"

using namespace playtest;

namespace {
// A unit triangle at the origin with a child moved 10 units along x.
const char* const kRockWithFarChild =
    "rock\n1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\n3\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 1\n0 0 1\n1\n0 1 2\n"
    "t.png\n3\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n1\n"
    "far\n1 0 0 0 0 1 0 0 0 0 1 0 10 0 0 1\n3\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 1\n0 0 1\n1\n0 1 2\n"
    "t.png\n3\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n0\n";

SceneObject rockAt(float x, float yaw = 0) {
  SceneObject object{};
  std::strncpy(object.meshName, "rock", 31);
  std::strncpy(object.textureName, "stone", 31);
  object.scale = 1;
  object.yaw = yaw;
  object.position[0] = x;
  object.position[1] = 16;
  return object;
}
}  // namespace

class SceneryView : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    D3DPRESENT_PARAMETERS parameters{};
    parameters.EnableAutoDepthStencil = 1;
    device = new d3d9::RecordingDevice(parameters, D3DCREATE_HARDWARE_VERTEXPROCESSING);
    Device = device;
    ShaderPath = 1;
    CreateUnitQuadBuffer();
    writeFile("models/rock.msh", kRockWithFarChild);
    Meshes.addMeshes("rock");
    rockBuffer = Meshes.find("rock").root->vertexBuffer;
    Level.flowerCount = 0;
    Play.resultsShown = 1;
  }

  void TearDown() override {
    SceneObjectList.clear();
    std::memset(ViewFrustum, 0, sizeof ViewFrustum);
    Meshes.release();
    Meshes.releaseNames();
    ReleaseUnitQuadBuffer();
    Device = nullptr;
    device->Release();
    PlayTest::TearDown();
  }

  // The x of every rock drawn, read from the world matrix of its first node.
  std::vector<float> rocksDrawn() const {
    std::vector<float> xs;
    for (const auto& draw : device->Draws())
      if (draw.state.stream == rockBuffer) xs.push_back(draw.state.vertexConstants[0][3]);
    return xs;
  }

  d3d9::RecordingDevice* device = nullptr;
  const void* rockBuffer = nullptr;
};

TEST_F(SceneryView, ObjectsWhollyBehindAPlaneAreLeftOutAndTheirNodesCount) {
  // Only x above 20 is in view.
  for (Plane& plane : ViewFrustum) plane = Plane{1, 0, 0, -20};
  // At 30 inside; at 0 outside; at 15 only the child (at 25) reaches in; at
  // 15 turned half round the child lies at 5, outside; at 19.5 the triangle
  // itself crosses the plane.
  SceneObjectList = {rockAt(30), rockAt(0), rockAt(15), rockAt(15, 180), rockAt(19.5f)};
  drawGame();
  EXPECT_EQ(rocksDrawn(), (std::vector<float>{30, 15, 19.5f}));
}

TEST_F(SceneryView, WithoutAViewEverythingIsDrawn) {
  std::memset(ViewFrustum, 0, sizeof ViewFrustum);
  SceneObjectList = {rockAt(-500), rockAt(500)};
  drawGame();
  EXPECT_EQ(rocksDrawn(), (std::vector<float>{-500, 500}));
}
