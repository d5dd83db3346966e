// A level played from the world map to its win screen on a fixed board: every
// kind of move scores as it should, a bomb costs a life, and going on records
// the result in the profile file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "flow_support.h"
#include "game/bee.h"
#include "game/board.h"
#include "game/play_state.h"
#include "play_harness.h"
#include "support/player.h"
#include "profile/profiles.h"
#include "render/particles.h"
#include "screens/results_screen.h"
#include "ui/widget_list.h"

using namespace play;

namespace {
constexpr uint32_t BoardSeed = 11;
constexpr int32_t RecordedFirstLevel = 5000;

int NumberOf(int cell);

// The state before a move, to check the move's points against: every cell
// the bee has entered since gives 100 x its number, binoculars 200 and a
// hammer 300.
struct Tally {
  int32_t score = Play.levelScore;
  int32_t binoculars = Level.binoculars;
  int32_t hammers = Level.hammers;
  std::vector<uint8_t> open;

  Tally() {
    for (int i = 0; i < Level.cellCount; ++i) open.push_back(Level.cells[i].open);
  }

  int32_t earned() const {
    int32_t points = 200 * (Level.binoculars - binoculars) + 300 * (Level.hammers - hammers);
    for (int i = 0; i < Level.cellCount; ++i)
      if (!open[i] && Level.cells[i].open) points += 100 * NumberOf(i);
    return points;
  }
};

int NumberOf(int cell) {
  const int content = Level.cells[cell].content;
  return content >= 1 && content <= 6 ? content : 0;
}

bool HoldsItem(int cell, int item) { return Level.cellItems[cell] == item && !Level.cells[cell].open; }

// The nearest cell passing `wanted` (reachable or not), -1 when none.
int Nearest(const std::function<bool(int)>& wanted) {
  int best = -1;
  for (int i = 0; i < Level.cellCount; ++i)
    if (cellExists(i) && wanted(i) && (best < 0 || player::fromBee(i) < player::fromBee(best))) best = i;
  return best;
}

int ParsedScore(const std::string& text) { return text.empty() ? -1 : std::stoi(text); }

// Goes to the nearest closed flower and checks its points: the k-th flower
// gives k x multiplier x 400, then the multiplier doubles.
void TakeFlower(int k, int multiplier) {
  const int flower = Nearest(player::closedFlower);
  ASSERT_GE(flower, 0);
  const Tally before;
  ASSERT_TRUE(GoTo(flower)) << RoundState();
  EXPECT_EQ(Level.flowersTaken, k);
  EXPECT_EQ(Play.levelScore, before.score + before.earned() + k * multiplier * 400);
  EXPECT_EQ(Play.multiplier, multiplier * 2);
}
}  // namespace

TEST(LevelWon, EveryMoveScoresAndTheWinIsRecordedInTheProfile) {
  GameSetup setup;
  setup.settings = SettingsFile(0);
  setup.files["data/profile0.s"] =
      ProfileFile("Player One", {{"opened_maps", 2}, {"score1", RecordedFirstLevel}, {"training", 1}});
  int32_t finalScore = -1, medal = -1;
  RunGame(
      "level_won",
      [&] {
        ASSERT_TRUE(WaitForMainMenu());
        SetFrameMilliseconds(48);
        ClickWidget("play");
        StartLevelSeeded("k_2", BoardSeed);
        Frames(10);
        EXPECT_EQ(Play.levelNumber, 2);
        EXPECT_EQ(Level.lives, 4);
        EXPECT_EQ(Level.flowerCount, 10);
        EXPECT_EQ(Play.levelScore, 0);
        Screenshot("01_round");

        // Entering a cell that shows a number.
        {
          const int cell = Nearest([](int i) {
            return player::closedSafe(i) && NumberOf(i) > 0 && !Level.cells[i].flower && Level.cellItems[i] == ItemNone;
          });
          ASSERT_GE(cell, 0);
          const Tally before;
          ASSERT_TRUE(GoTo(cell)) << RoundState();
          EXPECT_TRUE(Level.cells[cell].open);
          EXPECT_EQ(Play.levelScore, before.score + before.earned());
        }

        // A flag set and taken away again; an open cell takes none.
        {
          const int cell =
              Nearest([](int i) { return player::closedSafe(i) && !Level.cells[i].flower && player::onScreen(i); });
          ASSERT_GE(cell, 0);
          const int32_t before = Play.levelScore;
          RightClickCell(cell);
          EXPECT_TRUE(Level.cells[cell].flagged);
          EXPECT_EQ(Play.levelScore, before + 40);
          RightClickCell(cell);
          EXPECT_FALSE(Level.cells[cell].flagged);
          EXPECT_EQ(Play.levelScore, before);
          RightClickCell(Level.currentCell);
          EXPECT_FALSE(Level.cells[Level.currentCell].flagged);
          EXPECT_EQ(Play.levelScore, before);
        }

        // The binoculars: picked up, then used through their button.
        {
          const int cell = Nearest([](int i) { return HoldsItem(i, ItemBinoculars); });
          ASSERT_GE(cell, 0);
          const Tally before;
          ASSERT_TRUE(GoTo(cell)) << RoundState();
          EXPECT_EQ(Level.binoculars, before.binoculars + 1);
          EXPECT_EQ(Play.levelScore, before.score + before.earned());
          const int32_t score = Play.levelScore;
          ClickWidget("useEye");
          EXPECT_EQ(Level.binoculars, before.binoculars);
          EXPECT_EQ(Play.levelScore, score + 400);
          for (int direction : Directions) {
            const int n = neighbour(Level.currentCell, direction);
            if (n < 0) continue;
            const HexCell& seen = Level.cells[n];
            if (seen.content == CellBomb) {
              EXPECT_TRUE(seen.flagged) << n;
            } else if (!seen.flower) {
              EXPECT_TRUE(seen.open) << n;
            }
          }
          Screenshot("02_binoculars_used");
        }

        // The hammer: picked up, then used on a flagged bomb, which opens
        // without costing a life.
        {
          const int cell = Nearest([](int i) { return HoldsItem(i, ItemHammer); });
          ASSERT_GE(cell, 0);
          const Tally before;
          ASSERT_TRUE(GoTo(cell)) << RoundState();
          EXPECT_EQ(Level.hammers, before.hammers + 1);
          EXPECT_EQ(Play.levelScore, before.score + before.earned());
          const int bomb = Nearest([](int i) { return player::closedBomb(i) && player::onScreen(i); });
          ASSERT_GE(bomb, 0);
          if (!Level.cells[bomb].flagged) RightClickCell(bomb);
          ASSERT_TRUE(Level.cells[bomb].flagged);
          const int32_t score = Play.levelScore;
          ClickCell(bomb);
          EXPECT_TRUE(Level.cells[bomb].open);
          EXPECT_FALSE(Level.cells[bomb].flagged);
          EXPECT_EQ(Level.hammers, before.hammers);
          EXPECT_EQ(Play.levelScore, score + 500);
          EXPECT_EQ(Level.lives, 4);
        }

        // Two flowers in a row: 400, then 1600.
        TakeFlower(1, 1);
        TakeFlower(2, 2);

        // A bomb: a life, 1000 points and the multiplier go; the bee tumbles.
        {
          int32_t scoreBefore = Play.levelScore;
          ASSERT_TRUE(PlayUntil(
              [&] {
                if (Level.lives == 4) scoreBefore = Play.levelScore;
                return Level.lives < 4;
              },
              [] { return ClickTowards(player::nextTowardsBombs()); }))
              << RoundState();
          EXPECT_EQ(Level.lives, 3);
          EXPECT_EQ(Play.levelScore, std::max(scoreBefore - 1000, 0));
          EXPECT_EQ(Play.multiplier, 1);
          EXPECT_EQ(TheBee.state, BeeHit);
          Frames(6);
          EXPECT_GT(TheBee.spinSpeed, 0);
          EXPECT_GT(std::hypot(TheBee.position.x - Level.beeX, TheBee.position.z - Level.beeY), 0.01f);
          Screenshot("03_bomb");
          ASSERT_TRUE(PlayUntil([] { return TheBee.state == BeeFlying; }, [] { return true; }, 100)) << RoundState();
        }

        // The streak goes on with the multiplier at 1: the third flower gives 1200.
        TakeFlower(3, 1);

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
        EXPECT_TRUE(MedalParticles.emitting);
        Screenshot("04_win_screen");

        // "next" saves: the settings file is written anew.
        ASSERT_EQ(std::remove((GameFolder() + "/bin/default.cfg").c_str()), 0);
        ClickWidget("next");
        ASSERT_TRUE(FramesUntil([] { return HasWidget("map_arrow"); }, 10));
        WaitMilliseconds(2000);
        EXPECT_TRUE(WidgetShown("k_3"));
        Screenshot("05_third_island");
      },
      setup);
  const ConfigNode profile = ReadGameFile("data/profile0.s");
  EXPECT_EQ(profile.Get("score2").AsInt(), finalScore);
  EXPECT_EQ(profile.Get("reward2").AsInt(), medal);
  EXPECT_EQ(profile.Get("opened_maps").AsInt(), 3);
  EXPECT_EQ(profile.Get("score1").AsInt(), RecordedFirstLevel);
  const ConfigNode settings = ReadGameFile("bin/default.cfg");
  EXPECT_EQ(settings.Get("lastprofile").AsInt(), 0);
  EXPECT_EQ(settings.Get("res_width").AsInt(), 800);
}
