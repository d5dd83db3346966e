// The three kinds of screen, photographed at the same frames on every
// platform: the Windows build's Direct3D 9 pictures are compared with these.
#include <gtest/gtest.h>

#include "flow_support.h"
#include "play_harness.h"

using namespace play;

TEST(Screens, TheMainMenuTheWorldMapAndARoundAreShown) {
  GameSetup setup;
  setup.settings = SettingsFile(0);
  setup.files["data/profile0.s"] = ProfileFile("Painter", {{"opened_maps", 3}});
  RunGame("screens", [&] {
    ASSERT_TRUE(WaitForMainMenu());
    Screenshot("01_main_menu");
    SetFrameMilliseconds(48);
    ClickWidget("play");
    WaitMilliseconds(800);
    EXPECT_TRUE(WidgetShown("k_3"));
    Screenshot("02_world_map");
    StartLevelSeeded("k_3", 7);
    WaitMilliseconds(1500);
    EXPECT_TRUE(HasWidget("ingame"));
    Screenshot("03_round");
  }, setup);
}
