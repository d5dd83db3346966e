// Rounds on the levels the build generates, played through the pointer as a
// player would: the training followed to its final briefing, and a level won
// and a level lost. Skipped when the game folder has not been built.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "game/briefing_flights.h"
#include "game/cell_rules.h"
#include "game/draw_game.h"
#include "game/route.h"
#include "game/start_level.h"
#include "game/world_map.h"
#include "platform/files.h"
#include "play_test_support.h"
#include "ui/screen_links.h"

using namespace boardtest;
using namespace playtest;

namespace {
float distance(int a, int b) { return std::hypot(cell(a).x - cell(b).x, cell(a).y - cell(b).y); }

bool onScreen(int index) {
  float px, py;
  return pointerFor(centreOf(index), &px, &py);
}

// Whether a click on the cell would start a route, asked without moving
// the bee.
bool reachable(int index) {
  if (index == Level.currentCell || !canEnter(index)) return false;
  const int32_t roadLeft = Level.roadLeft;
  const std::vector<int32_t> road = Level.road;
  sendBeeTo(cell(index).x, cell(index).y);
  const bool found = Level.roadLeft > 0;
  Level.roadLeft = roadLeft;
  Level.road = road;
  return found;
}

bool closedFlower(int i) { return cellExists(i) && cell(i).flower && !cell(i).open; }
}  // namespace

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

  bool beeBusy() const {
    if (TheBee.state == BeeHit || Level.roadLeft >= 2) return true;
    if (Level.roadLeft == 1) {
      const HexCell& target = cell(Level.road[1]);
      return std::hypot(Level.beeX - target.x, Level.beeY - target.y) > 0.05f;
    }
    return false;
  }

  void click(int index, bool left = true) {
    pointAt(centreOf(index));
    (left ? Mouse.leftPrevious : Mouse.rightPrevious) = ButtonHeld;
    (left ? Mouse.leftCurrent : Mouse.rightCurrent) = ButtonUp;
    step();
  }

  // Clicks the cell, or when it is off the screen a safe cell on the screen
  // that brings the bee nearer to it.
  void clickTowards(int target) {
    if (onScreen(target)) return click(target);
    int best = -1;
    float bestDistance = distance(Level.currentCell, target);
    for (int i = 0; i < Level.cellCount; ++i) {
      if (!cellExists(i) || cell(i).content == CellBomb || !onScreen(i) || distance(i, target) >= bestDistance)
        continue;
      if (!reachable(i)) continue;
      best = i;
      bestDistance = distance(i, target);
    }
    ASSERT_GE(best, 0) << "no way towards cell " << target;
    click(best);
  }

  // The nearest cell passing `wanted` that a click can reach, or -1.
  int nearestReachable(const std::function<bool(int)>& wanted, const std::function<float(int)>& cost) {
    int best = -1;
    float bestCost = std::numeric_limits<float>::max();
    for (int i = 0; i < Level.cellCount; ++i) {
      if (!wanted(i) || cost(i) >= bestCost || !reachable(i)) continue;
      best = i;
      bestCost = cost(i);
    }
    return best;
  }

  float toNearestFlower(int index) {
    float best = 1e9f;
    for (int i = 0; i < Level.cellCount; ++i)
      if (closedFlower(i)) best = std::min(best, distance(index, i));
    return best;
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
      if (cameraFlightRunning() || beeBusy()) {
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
    const bool askedToUseTools = !Level.triggers[UseToolsBriefingCell].active;
    if (askedToUseTools && !toolsUsed && Level.binoculars > 0 && Level.currentCell == UseToolsBriefingCell) {
      Widget& eye = FindWidget("useEye");
      if (IsPlaceholder(eye) || !eye.onAction)
        useBinoculars();
      else
        eye.onAction();
      toolsUsed = true;
      return true;
    }
    for (const TrainingMarker& marker : MarkerList) {
      if (!marker.visible || !Level.triggers[marker.cell].active || !reachable(marker.cell)) continue;
      clickTowards(marker.cell);
      return true;
    }
    // The hammer on a flagged cell that blocks the way.
    for (int i = 0; Level.hammers > 0 && i < Level.cellCount; ++i) {
      if (!cellExists(i) || !cell(i).flagged) continue;
      bool besideOpen = false;
      for (int direction : Directions) besideOpen |= neighbour(i, direction) >= 0 && cell(neighbour(i, direction)).open;
      if (!besideOpen) continue;
      if (!onScreen(i)) {
        clickTowards(i);
        return true;
      }
      click(i);
      return cell(i).open != 0;
    }
    return false;
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
  auto move = [&]() {
    int target = nearestReachable([](int i) { return closedFlower(i) && cell(i).content != CellBomb; },
                                  [&](int i) { return distance(Level.currentCell, i); });
    if (target < 0)
      target = nearestReachable(
          [](int i) { return cellExists(i) && !cell(i).open && !cell(i).flagged && cell(i).content != CellBomb; },
          [&](int i) { return toNearestFlower(i); });
    if (target < 0)  // walled in by bombs: one of them costs a life
      target = nearestReachable([](int i) { return cellExists(i) && !cell(i).open && !cell(i).flagged; },
                                [&](int i) { return toNearestFlower(i); });
    if (target < 0) return false;
    clickTowards(target);
    return true;
  };
  play([] { return Play.resultsShown != 0; }, move);

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
    int target = nearestReachable([](int i) { return cellExists(i) && !cell(i).open && cell(i).content == CellBomb; },
                                  [&](int i) { return distance(Level.currentCell, i); });
    if (target < 0) {
      target = nearestReachable([](int i) { return cellExists(i) && !cell(i).open && !cell(i).flower; },
                                [&](int i) { return distance(Level.currentCell, i); });
    } else {
      ++bombsHit;
    }
    if (target < 0) return false;
    clickTowards(target);
    return true;
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
