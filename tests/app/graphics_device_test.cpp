#include "core/graphics_device.h"

#include <gtest/gtest.h>

#include "app/engine.h"
#include "core/options.h"
#include "platform/d3d9/recording/recording_device.h"
#include "platform/test_hooks.h"

namespace {

int exitCode = -1;
void RecordExit(int code) { exitCode = code; }

class GraphicsDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    d3d9::SetBackend(d3d9::Backend::Recording);
    d3d9::TheRecordingConfig = d3d9::RecordingConfig();
    GraphicsDeviceExit = RecordExit;
    exitCode = -1;
    res_width = 800;
    res_height = 600;
    foolscreen = 0;
    multysample = 0;
    AspectRatio = float(res_height) / float(res_width);
  }
  void TearDown() override {
    ReleaseGraphicsDevice();
    d3d9::TheRecordingConfig = d3d9::RecordingConfig();
    d3d9::SetBackend(d3d9::Backend::OpenGL);
    foolscreen = 0;
    multysample = 0;
  }
};

TEST_F(GraphicsDeviceTest, WithoutDirect3DTheMessageSaysSoAndTheProcessEnds) {
  d3d9::SetBackend(d3d9::Backend::Unavailable);
  ::testing::internal::CaptureStderr();
  CreateGraphicsDevice();
  std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, said.find("DX9 not present: DX9 not present")) << said;
  EXPECT_EQ(0, exitCode);
  EXPECT_EQ(nullptr, Direct3D);
  EXPECT_EQ(nullptr, Device);
}

TEST_F(GraphicsDeviceTest, AFailedDeviceReleasesDirect3DAndEndsTheProcess) {
  d3d9::TheRecordingConfig.failCreateDevice = true;
  ::testing::internal::CaptureStderr();
  CreateGraphicsDevice();
  std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, said.find("Device creating fault: not support DX9.0c: Error")) << said;
  EXPECT_EQ(0, exitCode);
  EXPECT_EQ(nullptr, Direct3D);
  EXPECT_EQ(nullptr, Device);
}

}  // namespace
