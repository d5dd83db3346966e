// Plays the training map as a new player would: fly to a visible marker,
// read the briefings, use the binoculars where the "use" arrow says and the
// hammer on the flagged cell that blocks the way, until every flower is
// collected. The bee is moved from cell to cell along its road; the trigger
// effects follow the training rules (markers hide, linked cells rise,
// numbered briefings reveal the next markers).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "game/bee_flight.h"
#include "game/board.h"
#include "game/cell_rules.h"
#include "game/level_files.h"
#include "game/play_state.h"
#include "game/training.h"
#include "map_files.h"

namespace {
// The cells each numbered briefing reveals.
const std::vector<std::vector<int>> Reveals = {
    {52, 55, 112, 117},
    {221, 222, 223, 264, 283, 285, 302, 305, 344, 347, 364, 366, 367, 386},
    {195, 298, 236, 169},
    {249, 251, 293, 311, 269},
};

class Lesson {
 public:
  enum class Choice { FirstMarker, LastMarker };

  explicit Lesson(Choice choice) : choice_(choice) {
    for (int i = 0; i < Level.cellCount; ++i)
      if (Level.triggers[i].active && !Level.triggers[i].briefing) markers_.push_back(i);
    visible_[68] = true;
  }

  // Plays until the level is won or the player has nothing left to try.
  void play() {
    for (int moves = 0; moves < 200 && !Level.won; ++moves) {
      if (!flyToAMarker() && !useTheHammer()) return;
      ASSERT_EQ(Level.lives, 4) << "the bee hit a bomb after move " << moves;
    }
  }

  int briefings = 0;
  std::vector<std::string> toolBriefings;

 private:
  bool flyToAMarker() {
    std::vector<int> order;
    for (int cell : markers_)
      if (visible_[cell] && Level.triggers[cell].active) order.push_back(cell);
    if (choice_ == Choice::LastMarker) std::reverse(order.begin(), order.end());
    for (int cell : order) {
      clickAt(Level.cells[cell].x, Level.cells[cell].y);
      if (Level.roadLeft > 0) {
        fly();
        return true;
      }
    }
    return false;
  }

  bool useTheHammer() {
    if (Level.hammers < 1) return false;
    for (int i = 0; i < Level.cellCount; ++i) {
      if (!Level.cells[i].flagged || !canEnterAfterOpening(i)) continue;
      clickAt(Level.cells[i].x, Level.cells[i].y);
      return Level.cells[i].open;
    }
    return false;
  }

  static bool canEnterAfterOpening(int index) {
    for (int direction : Directions) {
      const int n = neighbour(index, direction);
      if (n >= 0 && Level.cells[n].open) return true;
    }
    return false;
  }

  // The bee crosses each cell of its road in turn; arriving at the closed
  // target enters it.
  void fly() {
    handleTrigger(Level.currentCell);
    while (Level.roadLeft >= 2) {
      const int next = Level.road[Level.roadLeft - 1];
      --Level.roadLeft;
      if (Level.roadLeft == 1 && !Level.cells[next].open) enterCell(next);
      handleTrigger(next);
      Level.currentCell = next;
      pickUpItems();
    }
    Level.roadLeft = 0;
  }

  void handleTrigger(int cell) {
    if (cell < 0) return;
    TriggerRecord& trigger = Level.triggers[cell];
    if (!trigger.active) return;
    if (trigger.briefing) {
      const int k = briefings++;
      if (k < static_cast<int>(Reveals.size()))
        for (int revealed : Reveals[k]) visible_[revealed] = true;
      trigger.link = 0;
      trigger.active = 0;
      return;
    }
    if (!trigger.arrow && (cell == 195 || cell == 298)) toolBriefings.push_back(cell == 195 ? "hammer" : "binoculars");
    const bool useTools = trigger.arrow && cell == 236;
    trigger.active = 0;
    visible_[cell] = false;
    if (trigger.link >= 0 && trigger.link < Level.cellCount) ++Level.cells[trigger.link].content;
    if (useTools) {
      toolBriefings.push_back("use");
      // The bee is about to settle here: the briefing says to look round.
      Level.currentCell = cell;
      useBinoculars();
    }
  }

  Choice choice_;
  std::vector<int> markers_;
  std::map<int, bool> visible_;
};

void loadTraining() {
  createLevel();
  const std::string path = mapfiles::mapsFolder() + "/" + mapfiles::mapNames().at(0);
  ASSERT_TRUE(loadMap(path));
  Level.lives = 4;
  Level.hammers = Level.binoculars = 0;
  Play = PlayState{};
}
}  // namespace

TEST(TrainingLesson, OnlyTheFirstMarkerShowsAtTheStart) {
  loadTraining();
  EXPECT_TRUE(Level.triggers[68].active);
  EXPECT_FALSE(Level.triggers[68].briefing);
  EXPECT_TRUE(canEnter(68));
  EXPECT_EQ(Level.flowersTaken, 0);
}

TEST(TrainingLesson, FollowingTheMarkersFinishesIt) {
  loadTraining();
  Lesson lesson(Lesson::Choice::FirstMarker);
  lesson.play();
  EXPECT_TRUE(Level.won);
  EXPECT_EQ(Level.flowersTaken, Level.flowerCount);
  EXPECT_EQ(lesson.briefings, 4);
  EXPECT_EQ(lesson.toolBriefings, (std::vector<std::string>{"binoculars", "hammer", "use"}));
  EXPECT_EQ(Level.lives, 4);
  EXPECT_GT(Play.levelScore, 0);
}

TEST(TrainingLesson, MarkersTakenInAnotherOrderAlsoFinishIt) {
  loadTraining();
  Lesson lesson(Lesson::Choice::LastMarker);
  lesson.play();
  EXPECT_TRUE(Level.won);
  EXPECT_EQ(lesson.briefings, 4);
  EXPECT_EQ(Level.lives, 4);
}

TEST(TrainingLesson, TheFarIslandIsReachedOnlyThroughTheGate) {
  loadTraining();
  // Everything but the gate opened: the far island's cells stay out of reach.
  EXPECT_EQ(Level.cells[235].content, CellBomb);
  for (HexCell& cell : Level.cells)
    if (cell.content >= 0 && cell.index != 235) cell.open = 1;
  clickAt(Level.cells[169].x, Level.cells[169].y);
  EXPECT_EQ(Level.roadLeft, 0);
  Level.cells[235].open = 1;
  clickAt(Level.cells[169].x, Level.cells[169].y);
  EXPECT_GT(Level.roadLeft, 0);
}

namespace {
// Frames at 60 per second until the bee has settled on its target.
void flyTheRoad() {
  const int target = Level.road[1];
  for (int frame = 0; frame < 3000; ++frame) {
    moveBee(1000.0f / 60.0f * 7.0f);
    pickUpItems();
    ASSERT_FALSE(Level.bombEvent) << "the bee hit a bomb on its way to " << target;
    const float dx = Level.cells[target].x - Level.beeX, dy = Level.cells[target].y - Level.beeY;
    if (Level.roadLeft <= 1 && dx * dx + dy * dy < 0.01f) return;
  }
  FAIL() << "the bee never settled on " << target;
}

bool flyToAVisibleMarker() {
  for (const TrainingMarker& marker : MarkerList) {
    if (!marker.visible || !Level.triggers[marker.cell].active) continue;
    clickAt(Level.cells[marker.cell].x, Level.cells[marker.cell].y);
    if (Level.roadLeft > 0) {
      flyTheRoad();
      return true;
    }
  }
  return false;
}

bool hammerAFlaggedCell() {
  if (Level.hammers < 1) return false;
  for (const HexCell& cell : Level.cells) {
    if (!cell.flagged) continue;
    clickAt(cell.x, cell.y);
    return true;
  }
  return false;
}
}  // namespace

// The same lesson with the bee's own flight, which cuts corners and may
// cross cells beside its road, and the game's own trigger handling.
TEST(TrainingLesson, FollowingTheMarkersWithTheBeesFlightFinishesIt) {
  loadTraining();
  clearMarkers();
  createMarkers();
  briefingCount = 0;
  bool lookedAround = false;
  for (int moves = 0; moves < 200 && !Level.won && !HasFatalFailure(); ++moves) {
    if (!flyToAVisibleMarker() && !hammerAFlaggedCell()) break;
    // Standing on the "use" arrow, the player looks round with the binoculars.
    if (!lookedAround && Level.currentCell == UseToolsBriefingCell && Level.binoculars > 0) {
      useBinoculars();
      lookedAround = true;
    }
  }
  EXPECT_TRUE(Level.won);
  EXPECT_EQ(briefingCount, 4);
  EXPECT_EQ(Level.lives, 4);
  EXPECT_TRUE(lookedAround);
}
