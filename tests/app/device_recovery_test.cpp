#include "app/device_recovery.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "app/engine.h"
#include "core/camera.h"
#include "core/modes.h"
#include "render/interface_quads.h"
#include "render/quad_buffers.h"
#include "support/recording.h"

namespace {

using d3d9::RecordedDraw;

void DrawTwoQuads() {
  drawQuad("errortex", 0.5f, 0.25f, 1.0f, 0.5f);
  drawQuadRegion(0, 0, 2, 1.5f, 0.25f, 0.5f, 0.5f, 0.25f);
}

// The engine's frame on the recording device: the scene pass and a mode that
// draws interface quads from the shared quad buffer.
class DeviceRecoveryTest : public rendertest::RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    CopyGameShaders();
    PresentParameters = D3DPRESENT_PARAMETERS{};
    PresentParameters.EnableAutoDepthStencil = 1;
    CreateGraphicsStates();
    CreateCamera("default");
    SelectCamera("default");
    RegisterMode("quads", nullptr, DrawTwoQuads);
  }
  void TearDown() override {
    ClearModes();
    ClearCameras();
    ReleaseUnitQuadBuffer();
    ReleaseBillboardQuadBuffer();
    RenderTest::TearDown();
  }
  static void CreateGraphicsStates() {
    Shaders.discover();
    Textures.loadBuiltInTextures();
    Shaders.load();
    Materials.createMaterial("empty", 0, 128, 0.0f);
    RestoreDeviceStates();
    CreateUnitQuadBuffer();
    CreateBillboardQuadBuffer();
  }
  std::vector<RecordedDraw> Frame() {
    device->ClearLog();
    RenderOneFrame();
    return device->Draws();
  }
};

// What a draw shows: its vertices and every state, binding and constant (on
// the shader path) but the vertex buffer object, which the reset makes anew.
void ExpectSamePicture(const std::vector<RecordedDraw>& before, const std::vector<RecordedDraw>& after) {
  ASSERT_EQ(before.size(), after.size());
  for (size_t i = 0; i < before.size(); ++i) {
    const d3d9::DeviceState &a = before[i].state, &b = after[i].state;
    EXPECT_EQ(before[i].vertices, after[i].vertices) << i;
    EXPECT_EQ(a.renderStates, b.renderStates) << i;
    EXPECT_EQ(a.samplerStates, b.samplerStates) << i;
    EXPECT_EQ(a.stageStates, b.stageStates) << i;
    if (ShaderPath) EXPECT_EQ(a.vertexConstants, b.vertexConstants) << i;
    if (ShaderPath) EXPECT_EQ(a.pixelConstants, b.pixelConstants) << i;
    EXPECT_EQ(a.textures, b.textures) << i;
    EXPECT_EQ(0, std::memcmp(&a.world, &b.world, 3 * sizeof(D3DMATRIX))) << i;
    EXPECT_EQ(a.vertexShader, b.vertexShader) << i;
    EXPECT_EQ(a.pixelShader, b.pixelShader) << i;
    EXPECT_EQ(a.declaration, b.declaration) << i;
    EXPECT_EQ(a.fvf, b.fvf) << i;
  }
}

// Lost at Present (the tests' hook), or lost for a while with a reset the
// system refuses once: nothing is drawn until the reset, which is retried,
// and the next frame shows what the last one did.
TEST_F(DeviceRecoveryTest, ALostDeviceDrawsNothingUntilItsResetThenTheSamePicture) {
  for (bool shaders : {true, false}) {
    UseShaderPath(shaders);
    RestoreDeviceStates();
    const std::vector<RecordedDraw> before = Frame();
    ASSERT_GE(before.size(), 2u);
    d3d9::LoseDeviceForTests();
    const int presented = device->PresentCount();
    Frame();
    EXPECT_EQ(device->PresentCount(), presented);
    ExpectSamePicture(before, Frame());

    device->LoseDevice(1, 1);
    EXPECT_TRUE(Frame().empty()) << "lost: wait";
    EXPECT_TRUE(Frame().empty()) << "the reset failed";
    ExpectSamePicture(before, Frame());
    EXPECT_EQ(device->ResetCount(), shaders ? 2 : 4);
  }
}

}  // namespace
