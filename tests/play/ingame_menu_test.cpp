// The in-game menu over a round: play stands still while it is open, its
// volume buttons set the volume and its indicator, and it restarts the level
// or leaves for the main menu.
#include <gtest/gtest.h>

#include "core/modes.h"
#include "flow_support.h"
#include "game/board.h"
#include "game/play_state.h"
#include "platform/test_hooks.h"
#include "play_harness.h"
#include "screens/play_screen.h"
#include "support/player.h"
#include "sound/game_sounds.h"
#include "ui/screen_wiring.h"
#include "ui/widget_list.h"

using namespace play;

namespace {
constexpr uint32_t MenuBoardSeed = 4242;

// How many of the nine volume steps are lit (shown or fading in).
int LitSteps() {
  int lit = 0;
  for (int step = 1; step <= 9; ++step) {
    const Widget& widget = FindWidget(NumberedName("vol_imame_", step));
    if (widget.visible && !widget.fadeOut) ++lit;
  }
  return lit;
}

// Outside the in-game menu's panel.
bool BesidePanel(int cell) {
  float x = 0, y = 0;
  return player::pointerFor(player::centreOf(cell), &x, &y) && (x < 0.5f || x > 1.5f) && y < 1.2f;
}

int OpenCells() {
  int open = 0;
  for (int i = 0; i < Level.cellCount; ++i) open += cellExists(Level, i) && Level.cells[i].open;
  return open;
}
}  // namespace

TEST(InGameMenu, FreezesPlaySetsTheVolumeRestartsAndLeaves) {
  GameSetup setup;
  setup.settings = SettingsFile(0, SmallWindowWidth, SmallWindowHeight);
  setup.files["data/profile0.s"] = ProfileFile("Menu Bee", {{"opened_maps", 2}});
  ChooseSoundDeviceForTests(SoundDeviceChoice::Loopback);
  RunGame(
      "ingame_menu",
      [&] {
        ASSERT_TRUE(WaitForMainMenu());
        SetFrameMilliseconds(48);
        ClickWidget("play");
        StartLevelSeeded("k_2", MenuBoardSeed);
        Frames(5);
        EXPECT_EQ(Sound.VolumeLevel, 4);

        // The bee on its way when the menu opens.
        SetFrameMilliseconds(16);
        const int target = player::nearestReachable([](int i) { return player::closedSafe(i); }, player::fromBee);
        ASSERT_GE(target, 0);
        ClickCell(target);
        ASSERT_EQ(Level.roadLeft, 2);
        ClickWidget("ingame");
        ASSERT_TRUE(HasWidget("res_level"));
        EXPECT_EQ(Play.modalState, ModalOpen);
        EXPECT_TRUE(HasWidget("lbckore"));  // over the round's display
        const float beeX = Level.beeX, beeY = Level.beeY;
        const int32_t roadLeft = Level.roadLeft, score = Play.levelScore;
        SetFrameMilliseconds(48);
        Frames(10);
        const int other =
            player::nearestReachable([](int i) { return player::closedSafe(i) && BesidePanel(i); }, player::fromBee);
        if (other >= 0) ClickCell(other);
        EXPECT_EQ(Level.beeX, beeX);
        EXPECT_EQ(Level.beeY, beeY);
        EXPECT_EQ(Level.roadLeft, roadLeft);
        EXPECT_EQ(Level.road[1], target);
        EXPECT_EQ(Play.levelScore, score);

        // The indicator follows the volume buttons.
        WaitMilliseconds(300);
        EXPECT_EQ(LitSteps(), 4);
        ClickWidget("vol_button_9");
        EXPECT_EQ(Sound.VolumeLevel, 9);
        EXPECT_EQ(LitSteps(), 9);
        ClickWidget("vol_button_2");
        EXPECT_EQ(Sound.VolumeLevel, 2);
        EXPECT_EQ(LitSteps(), 2);
        WaitMilliseconds(1200);
        Screenshot("01_ingame_menu");

        // Back to the round: the bee flies on.
        ClickWidget("back");
        EXPECT_EQ(Play.modalState, ModalPlay);
        EXPECT_FALSE(HasWidget("res_level"));
        EXPECT_TRUE(FramesUntil([target] { return Level.currentCell == target; }, 60));

        // Restart: a new attempt at the same level.
        ClickWidget("ingame");
        ClickWidget("res_level");
        EXPECT_FALSE(HasWidget("res_level"));
        EXPECT_EQ(Play.modalState, ModalPlay);
        EXPECT_EQ(Play.levelNumber, 2);
        EXPECT_EQ(OpenCells(), 1);
        EXPECT_EQ(Sound.VolumeLevel, 2);

        // And out to the main menu.
        ClickWidget("ingame");
        EXPECT_EQ(LitSteps(), 2);
        ClickWidget("go_to_main");
        EXPECT_TRUE(HasWidget("lbl"));
        EXPECT_FALSE(FindMode("game")->active);
        EXPECT_TRUE(FindMode("menu")->active);
        WaitMilliseconds(1200);
        Screenshot("02_main_menu");
      },
      setup);
  ChooseSoundDeviceForTests(SoundDeviceChoice::Default);
}
