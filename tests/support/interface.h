#pragma once
// Interface tests run in a fresh working folder with a hand-driven clock,
// pointer and keyboard, and put every global they touch back afterwards.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/engine.h"
#include "core/modes.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/test_hooks.h"
#include "game/play_state.h"
#include "game/test_hooks.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "profile/profiles.h"
#include "screens/menu_mode.h"
#include "profile/test_hooks.h"
#include "screens/menu_screens.h"
#include "screens/profile_actions.h"
#include "screens/screen_links.h"
#include "screens/test_hooks.h"
#include "sound/game_sounds.h"
#include "support/files.h"
#include "ui/interface_textures.h"
#include "ui/layout_loader.h"
#include "ui/widget_list.h"

namespace uitest {

constexpr uint32_t kStartTime = 1000000;

class UiTest : public testing::Test {
 public:
  void SetUp() override {
    std::filesystem::create_directories("data");
    std::filesystem::create_directories("bin");
    SetTestClock(kStartTime);
    SetClockSource(TestClock);
    ResetGlobals();
  }

  void TearDown() override {
    ClearWidgets();
    ClearModes();
    ResetGlobals();
    SetClockSource(nullptr);
    SetWriteFaultHook(nullptr);
  }

  static void ResetGlobals() {
    ResetCoreForTests();
    ResetProfilesForTests();
    ResetGameForTests();
    ResetScreensForTests();
    FrameRate.FrameCount = 1;
    Sound.VolumeLevel = 4;
  }

  void Write(const std::string& name, const std::string& text) { dir.Write(name, text); }
  std::string Read(const std::string& name) { return dir.Read(name); }

  // The layouts and profiles the game ships.
  void InstallShippedData() { testfiles::CopySourceContent("data"); }

  // The settings file with every option, read the way start-up reads it.
  void InstallSettings(int last) {
    Write("bin/default.cfg", "options {\n  res_width 800\n  res_height 600\n  drawfps 0\n  multysample 0\n"
                             "  anisotropic 0\n  foolscreen 0\n  lastprofile " + std::to_string(last) + "\n}\n");
    LoadOptions("bin\\default.cfg");
  }

  // The shipped profiles with the first one last played, loaded as start-up loads them.
  void InstallProfiles() {
    InstallShippedData();
    InstallSettings(0);
    LoadProfiles();
  }

  void Advance(uint32_t milliseconds) { AdvanceTestClock(milliseconds); }

  // The pointer at a point in interface units (an 800 x 600 client area).
  static void PointAt(float x, float y) {
    Mouse.mouseX = x * 400.0f;
    Mouse.mouseY = y * 400.0f;
  }

  // One frame of widget updates with the left button held or up.
  static void Frame(bool leftHeld = false) {
    Mouse.leftPrevious = Mouse.leftCurrent;
    Mouse.leftCurrent = leftHeld ? ButtonHeld : ButtonUp;
    UpdateWidgetList();
  }

  // Press and release the left button at a point: two frames.
  static void ClickAt(float x, float y) {
    PointAt(x, y);
    Frame(true);
    PointAt(x, y);
    Frame(false);
  }

  static void Type(char c) {
    Messages.TypedCharacters.push(static_cast<uint8_t>(c));
    Frame();
  }

  static void PressEnter() {
    Messages.TypedCharacters.push(13);
    Messages.LastKeyUp = VK_RETURN;
    Frame();
  }

  testfiles::WorkingFolder dir;
};

}  // namespace uitest
