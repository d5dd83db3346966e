#include "core/graphics_device.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/engine.h"
#include "core/options.h"
#include "core/test_hooks.h"
#include "platform/d3d9/recording/recording_device.h"

namespace {

int exitCode = -1;
void RecordExit(int code) { exitCode = code; }

class GraphicsDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    d3d9::SetBackend(d3d9::Backend::Recording);
    d3d9::TheRecordingConfig = d3d9::RecordingConfig();
    SetGraphicsDeviceExit(RecordExit);
    exitCode = -1;
    Options.width = 800;
    Options.height = 600;
    Options.fullScreen = 0;
    Options.multisample = 0;
    Window.AspectRatio = float(Options.height) / float(Options.width);
  }
  void TearDown() override {
    ReleaseGraphicsDevice();
    d3d9::TheRecordingConfig = d3d9::RecordingConfig();
    d3d9::SetBackend(d3d9::Backend::OpenGL);
    Options.fullScreen = 0;
    Options.multisample = 0;
  }
};

// Without Direct3D, or with a device that cannot be made, the message says
// which and the process ends.
TEST_F(GraphicsDeviceTest, WithoutADeviceTheMessageSaysWhyAndTheProcessEnds) {
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[] { d3d9::SetBackend(d3d9::Backend::Unavailable); }, "DX9 not present: DX9 not present"},
      {[] { d3d9::SetBackend(d3d9::Backend::Recording), d3d9::TheRecordingConfig.failCreateDevice = true; },
       "Device creating fault: not support DX9.0c: Error"},
  };
  for (const auto& [fail, message] : cases) {
    exitCode = -1;
    fail();
    ::testing::internal::CaptureStderr();
    CreateGraphicsDevice();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, said.find(message)) << said;
    EXPECT_EQ(0, exitCode);
    EXPECT_EQ(nullptr, Device);
  }
}

}  // namespace
