#include "app/device_recovery.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/engine.h"
#include "core/camera.h"
#include "core/modes.h"
#include "platform/test_hooks.h"
#include "render/interface_quads.h"
#include "render/quad_buffers.h"
#include "support/recording.h"

namespace {

using d3d9::RecordedDraw;

// The engine's frame on the recording device, with a mode that draws
// interface quads from the shared quad buffer.
class DeviceRecoveryTest : public rendertest::RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    CopyGameShaders();
    Graphics.PresentParameters = D3DPRESENT_PARAMETERS{};
    Graphics.PresentParameters.EnableAutoDepthStencil = 1;
    Shaders.discover();
    Textures.loadBuiltInTextures();
    Shaders.load();
    Materials.createMaterial("empty", 0, 128, 0.0f);
    RestoreDeviceStates();
    CreateUnitQuadBuffer();
    CreateCamera("default");
    SelectCamera("default");
    RegisterMode("quads", nullptr, [] {
      drawQuad("errortex", 0.5f, 0.25f, 1.0f, 0.5f);
      drawQuadRegion(0, 0, 2, 1.5f, 0.25f, 0.5f, 0.5f, 0.25f);
    });
  }
  void TearDown() override {
    ClearModes();
    ClearCameras();
    ReleaseUnitQuadBuffer();
    ReleaseBillboardQuadBuffer();
    RenderTest::TearDown();
  }
  std::vector<RecordedDraw> Frame() {
    device->ClearLog();
    RenderOneFrame();
    return device->Draws();
  }
};

// What a draw shows: its vertices and every state, binding and constant but
// the vertex buffer object, which the reset makes anew.
void ExpectSamePicture(const std::vector<RecordedDraw>& before, const std::vector<RecordedDraw>& after) {
  ASSERT_EQ(before.size(), after.size());
  for (size_t i = 0; i < before.size(); ++i) {
    const d3d9::DeviceState &a = before[i].state, &b = after[i].state;
    EXPECT_EQ(before[i].vertices, after[i].vertices) << i;
    EXPECT_TRUE(a.renderStates == b.renderStates && a.samplerStates == b.samplerStates &&
                a.stageStates == b.stageStates && a.textures == b.textures && a.fvf == b.fvf &&
                a.vertexConstants == b.vertexConstants && a.pixelConstants == b.pixelConstants &&
                a.vertexShader == b.vertexShader && a.pixelShader == b.pixelShader &&
                a.declaration == b.declaration && !std::memcmp(&a.world, &b.world, 3 * sizeof(D3DMATRIX)))
        << i;
  }
}

// Lost at Present (the tests' hook), or lost for a while with a reset the
// system refuses once: nothing is drawn until the reset, which is retried,
// and the next frame shows what the last one did.
TEST_F(DeviceRecoveryTest, ALostDeviceDrawsNothingUntilItsResetThenTheSamePicture) {
  const std::vector<RecordedDraw> before = Frame();
  ASSERT_EQ(before.size(), 2u);
  d3d9::LoseDeviceForTests();
  const int presented = device->PresentCount();
  Frame();
  EXPECT_EQ(device->PresentCount(), presented);
  ExpectSamePicture(before, Frame());

  device->LoseDevice(1, 1);
  EXPECT_TRUE(Frame().empty()) << "lost: wait";
  EXPECT_TRUE(Frame().empty()) << "the reset failed";
  ExpectSamePicture(before, Frame());
  EXPECT_EQ(device->ResetCount(), 2);
}

}  // namespace
