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
struct FirstRunSeen {
  std::string greeting;
  bool cancelShown = true, nameFieldThere = false;
};

// A name typed, Enter, then out through the credits.
void PlayFirstRun(FirstRunSeen& seen) {
  WaitMilliseconds(1000);
  seen.nameFieldThere = HasWidget("name");
  seen.cancelShown = WidgetShown("cancel");
  Screenshot("01_enter_name");
  Type("Busy Bee");
  Screenshot("02_name_typed");
  PressKey(VK_RETURN);
  FramesUntil([] { return HasWidget("lbl"); }, 120);
  WaitMilliseconds(1500);
  seen.greeting = FindLabel("lbl").text;
  Screenshot("03_main_menu");
  ClickWidget("exit");
  WaitMilliseconds(1500);
  Screenshot("04_credits");
  ClickWidget("back");
  Frames(5);
}

// The profile and the settings in `folder`, by their paths in the game folder or, installed, by their names.
void ExpectFirstRunSaved(const FirstRunSeen& seen, const std::string& folder, bool installed) {
  const std::string profile = folder + (installed ? "profile0.s" : "data/profile0.s");
  const std::string settingsFile = folder + (installed ? "default.cfg" : "bin/default.cfg");
  EXPECT_TRUE(seen.nameFieldThere);
  EXPECT_FALSE(seen.cancelShown);
  EXPECT_EQ(seen.greeting, "Hello, ^Busy Bee !");
  std::ifstream saved(profile, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("^Busy_Bee_"), std::string::npos) << profile;
  ConfigNode settings;
  ASSERT_TRUE(settings.Load(settingsFile));
  EXPECT_EQ(settings.Get("lastprofile").AsInt(), 0);
  EXPECT_EQ(settings.Get("res_width").AsInt(), 800);
  EXPECT_EQ(QuitRequested, 1);
}
}  // namespace

TEST(FirstRun, NamingAProfileGreetsThePlayerAndLeavingThroughTheCreditsSavesTheSettings) {
  FirstRunSeen seen;
  RunGame("first_run", [&] { PlayFirstRun(seen); });
  ExpectFirstRunSaved(seen, GameFolder() + "/", false);
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
  FirstRunSeen seen;
  RunGame("first_run_again", [&] { PlayFirstRun(seen); }, setup);
  ExpectFirstRunSaved(seen, installed ? std::string(std::getenv("APPDATA")) + "/Kestrin/" : GameFolder() + "/",
                      installed);
}
