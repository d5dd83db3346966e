// Rounds on the levels the build generates, played through the pointer as a
// player would: the training followed to its final briefing, and a level won
// and a level lost. Skipped when the game folder has not been built.
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "game/briefing_flights.h"
#include "game/cell_rules.h"
#include "game/draw_game.h"
#include "platform/files.h"
#include "platform/test_hooks.h"
#include "play/player.h"
#include "play_test_support.h"
#include "screens/screen_links.h"
#include "screens/start_level.h"
#include "screens/world_map.h"

using namespace boardtest;
using namespace playtest;

class ShippedLevels : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    const std::filesystem::path game = KESTRIN_GAME_DIR;
    if (FindFiles((game / "maps" / "*.map").string()).size() < 3) GTEST_SKIP() << "the game folder is not built";
    std::filesystem::copy(game / "maps", "maps", std::filesystem::copy_options::recursive);
    std::filesystem::copy(game / "data", "data", std::filesystem::copy_options::recursive);
    scanLevels();
    linkPlayScreens();
    linkMapScreens();
    CurrentProfileNode().Get("empty").SetInt(0);
  }

  void TearDown() override {
    ScreenLinks = ScreenLinkTable{};
    PlayTest::TearDown();
  }

  // One frame as the engine runs it: widgets, the round, the camera, the
  // scene (drawn to no device).
  void step() {
    TestClockNow += FrameMs;
    UpdateWidgetList();
    updateGame();
    AdvanceCameras();
    drawGame();
    Mouse.leftPrevious = Mouse.leftCurrent = ButtonUp;
    Mouse.rightPrevious = Mouse.rightCurrent = ButtonUp;
  }

  void click(int index) {
    ASSERT_GE(index, 0) << "no way to the cell";
    pointAt(centreOf(index));
    Mouse.leftPrevious = ButtonHeld;
    Mouse.leftCurrent = ButtonUp;
    step();
  }

  // Frames until `done`: briefings are read and closed, flights and the bee
  // are waited for, and `move` makes the next move (false: none left).
  void play(const std::function<bool()>& done, const std::function<bool()>& move, int limit = 60000) {
    int frames = 0;
    while (!done() && frames < limit && !HasFatalFailure()) {
      ++frames;
      if (Play.modalState == ModalOpen) {
        frames += waitFrames(30);  // reading
        Widget& close = FindWidget("button1");
        ASSERT_FALSE(IsPlaceholder(close)) << "a briefing without its button";
        if (close.onAction) close.onAction();
        continue;
      }
      if (cameraFlightRunning() || player::beeBusy()) {
        step();
        continue;
      }
      if (!move()) break;
      step();
    }
    EXPECT_LT(frames, limit);
  }

  int waitFrames(int count) {
    for (int i = 0; i < count; ++i) step();
    return count;
  }

  // Sends the bee towards the target; false when there is none.
  bool clickTowards(int target) {
    if (target < 0) return false;
    click(player::towards(target));
    return true;
  }
};

TEST_F(ShippedLevels, TheTrainingCanBeFollowedToItsEnd) {
  startLevel(0);
  ASSERT_EQ(Play.modalState, ModalOpening);
  ASSERT_FALSE(IsPlaceholder(FindWidget("skip")));
  step();
  ASSERT_EQ(MarkerList.size(), 28u);
  bool toolsUsed = false;
  const int startingFlowers = Level.flowerCount;

  auto move = [&]() {
    const player::Move next = player::nextTrainingMove(toolsUsed);
    if (next.kind == player::Move::UseBinoculars) {
      Widget& eye = FindWidget("useEye");
      if (IsPlaceholder(eye) || !eye.onAction)
        useBinoculars();
      else
        eye.onAction();
      toolsUsed = true;
      return true;
    }
    if (next.kind == player::Move::None) return false;
    click(next.cell);
    return true;
  };
  play([] { return Play.resultsShown != 0; }, move);

  EXPECT_TRUE(Level.won);
  EXPECT_EQ(Level.flowersTaken, startingFlowers);
  EXPECT_EQ(Level.lives, 4);
  EXPECT_EQ(briefingCount, 4);
  EXPECT_TRUE(toolsUsed);
  EXPECT_EQ(CurrentProfileNode().Get("training").AsInt(), 1);
  const int32_t score = Play.levelScore;
  EXPECT_GT(score, 0);

  // The final briefing leads on to the world map and records the training.
  Widget& next = FindWidget("button1");
  ASSERT_FALSE(IsPlaceholder(next));
  ASSERT_EQ(next.onAction, finishLevel);
  next.onAction();
  EXPECT_EQ(Play.levelNumber, 2);
  EXPECT_EQ(CurrentProfileNode().Get("score1").AsInt(), score);
  EXPECT_EQ(CurrentProfileNode().Get("opened_maps").AsInt(), 2);
  EXPECT_EQ(mapShown, 1);
}

TEST_F(ShippedLevels, ALevelIsWonByCollectingEveryFlower) {
  crtSrand(3);
  startLevel(1);
  step();
  ASSERT_EQ(Level.flowerCount, 10);
  play([] { return Play.resultsShown != 0; }, [&] { return clickTowards(player::nextTowardsFlowers()); });

  EXPECT_TRUE(Level.won);
  EXPECT_EQ(Level.flowersTaken, 10);
  EXPECT_GE(Play.levelScore, 10 * 400);
  Widget& next = FindWidget("next");
  ASSERT_FALSE(IsPlaceholder(next)) << "the win screen";
  ASSERT_EQ(next.onAction, finishLevel);
  const int32_t score = Play.levelScore;
  next.onAction();
  EXPECT_EQ(CurrentProfileNode().Get("score2").AsInt(), score);
  EXPECT_EQ(CurrentProfileNode().Get("opened_maps").AsInt(), 3);
}

TEST_F(ShippedLevels, ALevelIsLostWhenTheLastLifeGoes) {
  crtSrand(5);
  startLevel(2);
  step();
  int bombsHit = 0;
  auto move = [&]() {
    const int target = player::nextTowardsBombs();
    if (target >= 0 && player::closedBomb(target)) ++bombsHit;
    return clickTowards(target);
  };
  play([] { return Play.resultsShown != 0; }, move);

  EXPECT_TRUE(Level.dead);
  EXPECT_EQ(Level.lives, 0);
  EXPECT_GE(bombsHit, 4);
  EXPECT_EQ(Play.levelScore, 0);
  Widget& replay = FindWidget("replay");
  ASSERT_FALSE(IsPlaceholder(replay)) << "the losing screen";
  replay.onAction();
  EXPECT_EQ(Level.lives, 4);
  EXPECT_FALSE(Play.resultsShown);
  EXPECT_EQ(Play.levelNumber, 3);
}
