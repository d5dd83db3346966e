// A level played from the world map to its win screen on a fixed board, the
// items used through their buttons and the pointer, a bomb costing a life,
// and going on recording the result in the profile file. The points of each
// move are the round tests' business.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "flow_support.h"
#include "game/bee.h"
#include "game/board.h"
#include "game/hidden_scenery.h"
#include "game/play_state.h"
#include "play_harness.h"
#include "support/player.h"
#include "profile/profiles.h"
#include "render/particles.h"
#include "render/texture_cache.h"
#include "screens/results_screen.h"
#include "ui/widget_list.h"

using namespace play;

namespace {
constexpr uint32_t WonBoardSeed = 11;
constexpr int32_t RecordedFirstLevel = 5000;

bool HoldsItem(int cell, int item) { return Level.cellItems[cell] == item && !Level.cells[cell].open; }

// The nearest cell passing `wanted` (reachable or not), -1 when none.
int Nearest(const std::function<bool(int)>& wanted) {
  int best = -1;
  for (int i = 0; i < Level.cellCount; ++i)
    if (cellExists(Level, i) && wanted(i) && (best < 0 || player::fromBee(i) < player::fromBee(best))) best = i;
  return best;
}

int ParsedScore(const std::string& text) { return text.empty() ? -1 : std::stoi(text); }
}  // namespace

TEST(LevelWon, AWinWithTheItemsAndABombIsRecordedInTheProfile) {
  GameSetup setup;
  setup.settings = SettingsFile(0, SmallWindowWidth, SmallWindowHeight);
  setup.files["data/profile0.s"] =
      ProfileFile("Player One", {{"opened_maps", 2}, {"score1", RecordedFirstLevel}, {"training", 1}});
  int32_t finalScore = -1, medal = -1;
  RunGame(
      "level_won",
      [&] {
        ASSERT_TRUE(WaitForMainMenu());
        // The menu's and the map's pictures are read once, at start-up.
        for (const char* picture : {"menu", "game_map"})
          ASSERT_EQ(std::remove((GameFolder() + "/textures/" + picture + ".png").c_str()), 0);
        SetFrameMilliseconds(48);
        ClickWidget("play");
        StartLevelSeeded("k_2", WonBoardSeed);
        Frames(10);
        EXPECT_EQ(Play.levelNumber, 2);
        // The first island's ground under the board is left out of the frames.
        EXPECT_NE(visibleGroundRuns(0), nullptr);
        Screenshot("01_round");

        // A flag set through the pointer.
        {
          const int cell =
              Nearest([](int i) { return player::closedSafe(i) && !Level.cells[i].flower && player::onScreen(i); });
          ASSERT_GE(cell, 0);
          RightClickCell(cell);
          EXPECT_TRUE(Level.cells[cell].flagged);
          RightClickCell(cell);
        }

        // The binoculars: picked up, then used through their button.
        {
          const int cell = Nearest([](int i) { return HoldsItem(i, ItemBinoculars); });
          ASSERT_GE(cell, 0);
          ASSERT_TRUE(GoTo(cell)) << RoundState();
          EXPECT_EQ(Level.binoculars, 1);
          ClickWidget("useEye");
          EXPECT_EQ(Level.binoculars, 0);
          Screenshot("02_binoculars_used");
        }

        // The hammer: picked up, then used on a flagged bomb, which opens
        // without costing a life.
        {
          const int cell = Nearest([](int i) { return HoldsItem(i, ItemHammer); });
          ASSERT_GE(cell, 0);
          ASSERT_TRUE(GoTo(cell)) << RoundState();
          const int bomb = Nearest([](int i) { return player::closedBomb(i) && player::onScreen(i); });
          ASSERT_GE(bomb, 0);
          if (!Level.cells[bomb].flagged) RightClickCell(bomb);
          ClickCell(bomb);
          EXPECT_TRUE(Level.cells[bomb].open);
          EXPECT_EQ(Level.hammers, 0);
          EXPECT_EQ(Level.lives, 4);
        }

        // A bomb costs a life; the bee tumbles, then flies on.
        {
          ASSERT_TRUE(
              PlayUntil([] { return Level.lives < 4; }, [] { return ClickTowards(player::nextTowardsBombs()); }))
              << RoundState();
          EXPECT_EQ(TheBee.state, BeeHit);
          Frames(6);
          EXPECT_GT(std::hypot(TheBee.position.x - Level.beeX, TheBee.position.z - Level.beeY), 0.01f);
          Screenshot("03_bomb");
          ASSERT_TRUE(PlayUntil([] { return TheBee.state == BeeFlying; }, [] { return true; }, 100)) << RoundState();
        }

        // The rest of the flowers win the level.
        ASSERT_TRUE(PlayUntil([] { return Play.resultsShown != 0; },
                              [] { return ClickTowards(player::nextTowardsFlowers()); }, 3000))
            << RoundState();
        EXPECT_TRUE(Level.won);
        EXPECT_EQ(Level.flowersTaken, 10);
        finalScore = Play.levelScore;
        medal = Play.medal;
        EXPECT_EQ(medal, medalForScore(finalScore));
        EXPECT_EQ(FindImage("medal").texture, medalTexture(medal));

        // The level score counts up; the total adds the recorded first level.
        Frames(3);
        const int early = ParsedScore(FindLabel("nlevel").text);
        Frames(10);
        const int later = ParsedScore(FindLabel("nlevel").text);
        EXPECT_GT(early, 0);
        EXPECT_GT(later, early);
        EXPECT_LT(later, finalScore);
        EXPECT_EQ(Play.totalScore, finalScore + RecordedFirstLevel);

        // Sparkles once the medal has faded in.
        ASSERT_TRUE(FramesUntil([] { return WidgetShown("medal"); }, 60));
        Frames(3);
        EXPECT_TRUE(Particles.MedalParticles.emitting);
        Screenshot("04_win_screen");

        // "next" saves: the settings file is written anew.
        ASSERT_EQ(std::remove((GameFolder() + "/bin/default.cfg").c_str()), 0);
        ClickWidget("next");
        ASSERT_TRUE(FramesUntil([] { return HasWidget("map_arrow"); }, 10));
        WaitMilliseconds(2000);
        EXPECT_TRUE(WidgetShown("k_3"));
        Screenshot("05_third_island");
        for (const char* picture : {"menu", "game_map"}) {
          const IDirect3DTexture9* kept = Textures.textures[size_t(Textures.names.indexOf(picture))];
          EXPECT_TRUE(kept && kept != Textures.errorTexture) << picture;
        }
      },
      setup);
  const ConfigNode profile = ReadGameFile("data/profile0.s");
  EXPECT_EQ(profile.Get("score2").AsInt(), finalScore);
  EXPECT_EQ(profile.Get("reward2").AsInt(), medal);
  EXPECT_EQ(profile.Get("opened_maps").AsInt(), 3);
  EXPECT_EQ(profile.Get("score1").AsInt(), RecordedFirstLevel);
  const ConfigNode settings = ReadGameFile("bin/default.cfg");
  EXPECT_EQ(settings.Get("lastprofile").AsInt(), 0);
  EXPECT_EQ(settings.Get("res_width").AsInt(), SmallWindowWidth);
}
