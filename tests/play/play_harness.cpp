#include "play_harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <mutex>

#include "app/engine.h"
#include "app/test_hooks.h"
#include "core/graphics_device.h"
#include "core/options.h"
#include "platform/data_folders.h"
#include "platform/png_image.h"
#include "platform/test_hooks.h"
#include "platform/window.h"
#include "screens/update_game.h"

#ifndef KESTRIN_SCREENS_DIR
#define KESTRIN_SCREENS_DIR KESTRIN_BINARY_DIR "/screens"
#endif

namespace play {
namespace {
namespace fs = std::filesystem;
std::mutex screenshotLock;
std::string screenshotPath;
std::string folder;
std::string flowName;

// Render thread, after every frame: takes a requested screenshot.
void AfterFrame() {
  std::lock_guard<std::mutex> hold(screenshotLock);
  if (screenshotPath.empty()) return;
  ArgbImage image;
  Device->ReadBackBuffer(&image.pixels, &image.width, &image.height);
  SavePng(screenshotPath, image);
  screenshotPath.clear();
}

void PrepareFolder(const std::string& flow, const GameSetup& setup) {
  static const std::string run = std::to_string(std::random_device{}());
  folder = ::testing::TempDir() + "kestrin_play_" + flow + "_" + run;
  if (!setup.sameFolder) {
    // A first run: the settings and profiles as shipped, whatever a person
    // playing from the build folder has saved there.
    fs::remove_all(folder);
    fs::copy(KESTRIN_GAME_DIR, folder, fs::copy_options::recursive);
    const auto overwrite = fs::copy_options::overwrite_existing;
    fs::copy_file(KESTRIN_SOURCE_DIR "/content/bin/default.cfg", folder + "/bin/default.cfg", overwrite);
    for (const char* profile : {"profile0.s", "profile1.s", "profile2.s"})
      fs::copy_file(std::string(KESTRIN_SOURCE_DIR "/content/data/") + profile, folder + "/data/" + profile,
                    overwrite);
  }
  if (!setup.settings.empty()) std::ofstream(folder + "/bin/default.cfg") << setup.settings;
  for (const auto& [path, text] : setup.files) std::ofstream(folder + "/" + path) << text;
}
// The game folder goes when the test program ends, unless a test failed.
class FolderCleanup : public ::testing::Environment {
 public:
  void TearDown() override {
    if (folder.empty() || ::testing::UnitTest::GetInstance()->Failed()) return;
    fs::remove_all(folder);
  }
};
::testing::Environment* const Cleanup = ::testing::AddGlobalTestEnvironment(new FolderCleanup);
}  // namespace

const std::string& GameFolder() { return folder; }

namespace {
void Headless() {
#ifndef _WIN32
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
#endif
}

std::function<void()> liveStep;
void LiveFrame() { liveStep(); }
}  // namespace

void RunGameLive(const std::string& flow, const std::function<void()>& afterFrame, const GameSetup& setup) {
  Headless();
  PrepareFolder(flow, setup);
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  liveStep = afterFrame;
  SetAfterFrameHook(LiveFrame);
  EngineStart();
  EngineShutdown();
  SetAfterFrameHook(nullptr);
  liveStep = nullptr;
  fs::current_path(previous);
}

void RunGame(const std::string& flow, const std::function<void()>& script, const GameSetup& setup) {
  Headless();
  flowName = flow;
  fs::create_directories(KESTRIN_SCREENS_DIR "/" + flow);
  const fs::path previous = fs::current_path();
  if (setup.executableFolder.empty()) {
    PrepareFolder(flow, setup);
    fs::current_path(folder);
  } else {
    SelectDataFolders(setup.executableFolder);
  }

  framegate::SetFrameObserver(AfterFrame);
  Options.debugKeys = setup.debugKeys;
  framegate::Run(script);
  Options.debugKeys = false;
  fs::current_path(previous);
  // Back to playing from a game folder: no install lies beside the tests.
  if (!setup.executableFolder.empty()) SelectDataFolders(previous.string());
}

bool FramesUntil(const std::function<bool()>& done, int limit) {
  for (int i = 0; i < limit; ++i) {
    if (done()) return true;
    if (Messages.QuitRequested) return false;
    Frames(1);
  }
  return done();
}

void MoveTo(float x, float y) {
  TestMouse.x = x * static_cast<float>(Options.width) / 2.0f;
  TestMouse.y = y * static_cast<float>(Options.height) / 1.5f;
}

void MoveToWidget(const Widget& widget) { MoveTo(widget.x + widget.width / 2, widget.y + widget.height / 2); }

void LeftClick() {
  InjectButton(VK_LBUTTON, true);
  InjectButton(VK_LBUTTON, false);
  Frames(2);
}

void PressLeft() {
  InjectButton(VK_LBUTTON, true);
  Frames(1);
}

void ReleaseLeft() {
  InjectButton(VK_LBUTTON, false);
  Frames(1);
}

void RightClick() {
  InjectButton(VK_RBUTTON, true);
  InjectButton(VK_RBUTTON, false);
  Frames(2);
}

void ClickWidget(const std::string& name) {
  ASSERT_FALSE(IsPlaceholder(FindWidget(name))) << "no widget " << name;
  // A button takes clicks only once it has faded in.
  ASSERT_TRUE(FramesUntil([&] { return WidgetShown(name); }, 100)) << name << " does not appear";
  MoveToWidget(FindWidget(name));
  Frames(1);
  LeftClick();
}

// All of it between two frames, as a paste or a fast typist brings it.
void Type(const std::string& text) {
  for (unsigned char c : text) WindowProc(Window.MainWindow, WM_CHAR, c, 0);
  Frames(1);
}

void Screenshot(const std::string& name) {
  {
    std::lock_guard<std::mutex> hold(screenshotLock);
    screenshotPath = std::string(KESTRIN_SCREENS_DIR "/") + flowName + "/" + name + ".png";
  }
  Frames(1);
}

bool HasWidget(const std::string& name) { return !IsPlaceholder(FindWidget(name)); }

bool WidgetShown(const std::string& name) {
  Widget& widget = FindWidget(name);
  return !IsPlaceholder(widget) && widget.visible && widget.timer.Progress() >= 1.0f;
}

}  // namespace play
