// A level lost: the bee runs into bombs until no life is left, the losing
// screen offers a replay with four lives, and going on to the map records
// nothing.
#include <gtest/gtest.h>

#include "flow_support.h"
#include "game/board.h"
#include "game/play_state.h"
#include "platform/window.h"
#include "play_harness.h"
#include "support/player.h"
#include "ui/widget_list.h"

using namespace play;

namespace {
constexpr uint32_t LostBoardSeed = 1;
}  // namespace

TEST(LevelLost, TheLastLifeEndsTheRoundAndNeitherReplayNorLeavingRecordsIt) {
  GameSetup setup;
  setup.settings = SettingsFile(0, SmallWindowWidth, SmallWindowHeight);
  const std::string profileBefore = ProfileFile("Unlucky", {{"opened_maps", 3}, {"score1", 700}, {"score2", 9000}});
  setup.files["data/profile0.s"] = profileBefore;
  setup.debugKeys = true;
  int bombsHit = 0;
  RunGame(
      "level_lost",
      [&] {
        ASSERT_TRUE(WaitForMainMenu());
        SetFrameMilliseconds(48);
        ClickWidget("play");
        StartLevelSeeded("k_3", LostBoardSeed);
        EXPECT_EQ(Play.levelNumber, 3);

        int lives = Level.lives;
        ASSERT_TRUE(PlayUntil(
            [&] {
              if (Level.lives < lives) {
                ++bombsHit;
                lives = Level.lives;
              }
              return Play.resultsShown != 0;
            },
            [] { return ClickTowards(player::nextTowardsBombs()); }, 3000))
            << RoundState();
        EXPECT_EQ(bombsHit, 4);
        EXPECT_TRUE(HasWidget("replay"));
        EXPECT_FALSE(HasWidget("lbckore"));
        WaitMilliseconds(1200);
        Screenshot("01_losing_screen");

        ClickWidget("replay");
        EXPECT_EQ(Play.levelNumber, 3);
        EXPECT_EQ(Level.lives, 4);
        EXPECT_TRUE(HasWidget("lbckore"));
        WaitMilliseconds(1000);
        Screenshot("02_replayed");

        // Lost again at once by the debug key, then on to the map.
        PressKey(VK_BACK);
        ASSERT_TRUE(Play.resultsShown);
        EXPECT_EQ(Play.levelScore, 40000);
        ClickWidget("next");
        ASSERT_TRUE(FramesUntil([] { return HasWidget("map_arrow"); }, 10));
        SetFrameMilliseconds(100);
        WaitMilliseconds(2000);
        EXPECT_TRUE(WidgetShown("k_3"));
        EXPECT_FALSE(WidgetShown("k_4"));
        Screenshot("03_map_unchanged");
      },
      setup);
  EXPECT_EQ(GameFileText("data/profile0.s"), profileBefore);
}
