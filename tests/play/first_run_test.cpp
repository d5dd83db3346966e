#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "app/engine.h"
#include "flow_support.h"
#include "play_harness.h"
#include "platform/window.h"
#include "textfile/config_node.h"

using namespace play;

namespace {
// A name typed, Enter, then out through the credits; the profile and the
// settings are then read in the game folder or, installed, by their bare
// names in the player's folder.
void PlayFirstRun(const std::string& flow, const GameSetup& setup = {}, const std::string& playerFolder = "") {
  std::string greeting;
  bool cancelShown = true, nameFieldThere = false;
  RunGame(flow, [&] {
    WaitMilliseconds(1000);
    nameFieldThere = HasWidget("name");
    cancelShown = WidgetShown("cancel");
    Screenshot("01_enter_name");
    Type("Busy Bee 42");  // eleven characters between two frames
    Screenshot("02_name_typed");
    PressKey(VK_RETURN);
    FramesUntil([] { return HasWidget("lbl"); }, 120);
    WaitMilliseconds(1500);
    greeting = FindLabel("lbl").text;
    Screenshot("03_main_menu");
    ClickWidget("exit");
    WaitMilliseconds(1500);
    Screenshot("04_credits");
    ClickWidget("back");
    Frames(5);
  }, setup);
  EXPECT_TRUE(nameFieldThere);
  EXPECT_FALSE(cancelShown);
  EXPECT_EQ(greeting, "Hello, ^Busy Bee 42 !");
  const bool installed = !playerFolder.empty();
  const std::string folder = installed ? playerFolder : GameFolder() + "/";
  std::ifstream profile(folder + (installed ? "profile0.s" : "data/profile0.s"), std::ios::binary);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(profile), {}).find("^Busy_Bee_42_"), std::string::npos);
  ConfigNode settings;
  ASSERT_TRUE(settings.Load(folder + (installed ? "default.cfg" : "bin/default.cfg")));
  EXPECT_EQ(settings.Get("lastprofile").AsInt(), 0);
  EXPECT_EQ(settings.Get("res_width").AsInt(), 800);
  EXPECT_EQ(Messages.QuitRequested, 1);
}
}  // namespace

TEST(FirstRun, NamingAProfileGreetsThePlayerAndLeavingThroughTheCreditsSavesTheSettings) {
  PlayFirstRun("first_run");
}

// Played again by the Windows stage: in full screen, on a screen of the
// game's size as Wine cannot change the mode, and from the install its setup
// program made, which keeps the player's files in %APPDATA%\Kestrin.
TEST(FirstRun, AsTheWindowsStagePlaysItAgain) {
  const char* installed = std::getenv("KESTRIN_INSTALLED_GAME");
  const bool fullScreen = std::getenv("KESTRIN_FULL_SCREEN") != nullptr;
  if (!installed && !fullScreen) GTEST_SKIP() << "not asked for";
  GameSetup setup;
  setup.settings = SettingsFile(-1);
  if (fullScreen) setup.settings.replace(setup.settings.find("foolscreen 0"), 12, "foolscreen 1");
  if (installed) setup.executableFolder = installed;
  PlayFirstRun("first_run_again", setup, installed ? std::string(std::getenv("APPDATA")) + "/Kestrin/" : "");
}
