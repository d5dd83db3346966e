#include "app/engine.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "app/test_hooks.h"
#include "core/camera.h"
#include "core/graphics_device.h"
#include "core/modes.h"
#include "core/options.h"
#include "platform/d3d9/recording/recording_device.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "platform/window_visibility.h"
#include "support/files.h"

namespace {
// Runs the engine in a folder of its own holding only a settings file.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
    // The engine needs its shaders and built-in files; everything else may be missing.
    std::filesystem::copy(KESTRIN_GAME_DIR "/bin", "bin", std::filesystem::copy_options::recursive);
    std::filesystem::remove("bin/default.cfg");
  }
  void TearDown() override {
    SetAfterFrameHook(nullptr);
    d3d9::SetBackend(d3d9::Backend::OpenGL);
  }
  void WriteSettings(int width, int height) {
    std::ofstream("bin/default.cfg") << "options {\n  res_width " << width << "\n  res_height " << height
                                                 << "\n  drawfps 1\n  multysample 0\n  anisotropic 0\n"
                                                    "  foolscreen 0\n  lastprofile -1\n}\n";
  }
  testfiles::WorkingFolder folder_;
};

std::atomic<int> framesDrawn{0};
RECT clientAtFrameFive{0, 0, 0, 0};

void CloseAfterFiveFrames() {
  if (++framesDrawn == 5) {
    GetClientRect(Window.MainWindow, &clientAtFrameFive);
    InjectClose();
  }
}

std::atomic<int> framesWhileHidden{0};
uint32_t clockAtHiding = 0, clockAfterShowing = 0;
std::thread showLater;

// As the window system tells it, behind whatever the window's creation left
// in the queue: a flag set straight would be undone by a late "shown".
void PushVisibility(SDL_WindowEventID event) {
  SDL_Event message{};
  message.type = SDL_WINDOWEVENT;
  message.window.event = event;
  SDL_PushEvent(&message);
}

// Frame 3 hides the window and waits until the message loop has seen it;
// 300 ms later, with the clock 10 s on, it is shown again, and frame 4
// closes the game.
void HideAfterThreeFrames() {
  const int frame = ++framesDrawn;
  if (frame == 3) {
    clockAtHiding = timeGetTime();
    PushVisibility(SDL_WINDOWEVENT_HIDDEN);
    while (!WindowHidden()) Sleep(1);
    showLater = std::thread([] {
      Sleep(300);
      AdvanceTestClock(10000);
      framesWhileHidden = framesDrawn.load();
      PushVisibility(SDL_WINDOWEVENT_SHOWN);
    });
  } else if (frame == 4) {
    clockAfterShowing = timeGetTime();
    InjectClose();
  }
}
}  // namespace

TEST_F(EngineTest, StartsAtTheConfiguredSizeDrawsFramesAndShutsDownCleanly) {
  WriteSettings(640, 480);
  framesDrawn = 0;
  SetAfterFrameHook(CloseAfterFiveFrames);
  EngineStart();
  EXPECT_EQ(Messages.QuitRequested, 1);
  EngineShutdown();
  EXPECT_GE(framesDrawn, 5);
  EXPECT_EQ(clientAtFrameFive.right - clientAtFrameFive.left, 640);
  EXPECT_EQ(clientAtFrameFive.bottom - clientAtFrameFive.top, 480);
  EXPECT_FLOAT_EQ(Window.AspectRatio, 0.75f);
  EXPECT_FALSE(RenderThreadRunning());
  EXPECT_TRUE(ModeRegistry.empty());
  EXPECT_TRUE(Cameras.CameraList.empty());
  EXPECT_EQ(Device, nullptr);
  EXPECT_EQ(Window.MainWindow, nullptr);
  EXPECT_NE(std::string(FrameRate.FpsText).find("fps="), std::string::npos);
}


TEST_F(EngineTest, AHiddenWindowDrawsNothingAndItsClockStandsStill) {
  WriteSettings(320, 240);
  framesDrawn = 0;
  SetClockSource(TestClock);
  SetTestClock(1000);
  SetAfterFrameHook(HideAfterThreeFrames);
  EngineStart();
  EngineShutdown();
  showLater.join();
  SetClockSource(nullptr);
  EXPECT_EQ(framesWhileHidden, 3);
  EXPECT_EQ(clockAfterShowing, clockAtHiding);
}
