#pragma once
// The results screens and the world map on the layouts the game ships, in a
// fresh working folder with a test clock: a round's fixture plus the shipped
// "data" folder and the links between the screens.
#include <filesystem>
#include <string>

#include "platform/test_hooks.h"
#include "play_test_support.h"
#include "screens/menu_screens.h"
#include "screens/results_screen.h"
#include "screens/screen_links.h"
#include "screens/world_map.h"
#include "ui/layout_loader.h"
#include "ui/screen_wiring.h"

namespace screentest {

class ScreensTest : public playtest::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    std::filesystem::copy(std::string(KESTRIN_SOURCE_DIR) + "/content/data", "data",
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    std::filesystem::create_directories("bin");
    ResetScreensForTests();
    profile().Get("empty").SetInt(0);
    SetModeActive("menu", 0);
    SetModeActive("game", 1);
  }

  void TearDown() override {
    ResetScreensForTests();
    PlayTest::TearDown();
  }

  static ConfigNode& profile() { return CurrentProfileNode(); }
  static void setOpened(int n) { profile().Get("opened_maps").SetInt(n); }

  // Every widget's update once, after the clock has moved on by `ms`.
  static void updateWidgetsAfter(uint32_t ms) {
    TestClockNow += ms;
    UpdateWidgetList();
  }

  // A left click released over the middle of the widget, then one update
  // of the widget list.
  static void clickOn(const Widget& widget) {
    Mouse.clientWidth = 800;
    Mouse.clientHeight = 600;
    Mouse.mouseX = (widget.x + widget.width / 2) * 400;
    Mouse.mouseY = (widget.y + widget.height / 2) * 400;
    Mouse.leftPrevious = ButtonHeld;
    Mouse.leftCurrent = ButtonUp;
    UpdateWidgetList();
    Mouse.leftPrevious = Mouse.leftCurrent = ButtonUp;
  }

  // Not drawn now and never again without being faded in anew.
  static bool gone(Widget& widget) { return !widget.visible && widget.timer.Progress() > 0.999f; }
  // Shown, or on its way in.
  static bool shown(const Widget& widget) { return widget.visible && !widget.fadeOut; }
};

}  // namespace screentest
