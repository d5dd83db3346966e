// Plays the training map as a new player would: fly to a visible marker,
// use the binoculars on the "use" arrow and the hammer on the flagged cell
// that blocks the way, until every flower is collected. The bee flies its
// roads with its own flight, which cuts corners and may cross cells beside
// them, and the game's own trigger handling shows and hides the markers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/bee_flight.h"
#include "game/board.h"
#include "game/cell_rules.h"
#include "game/level_files.h"
#include "game/play_state.h"
#include "game/training.h"
#include "map_files.h"
#include "screens/briefings.h"

namespace {
void loadTraining() {
  createLevel();
  const std::string path = mapfiles::mapsFolder() + "/" + mapfiles::mapNames().at(0);
  ASSERT_TRUE(loadMap(path));
  Level.lives = 4;
  Level.hammers = Level.binoculars = 0;
  Play = PlayState{};
  clearMarkers();
  createMarkers();
  briefingCount = 0;
}

// Frames at 60 per second until the bee has settled on its target.
void flyTheRoad() {
  const int target = Level.road[1];
  for (int frame = 0; frame < 3000; ++frame) {
    const int cellUnderBee = moveBee(1000.0f / 60.0f * 7.0f);
    if (cellUnderBee >= 0) handleTrigger(cellUnderBee);
    pickUpItems();
    ASSERT_FALSE(Level.bombEvent) << "the bee hit a bomb on its way to " << target;
    const float dx = Level.cells[target].x - Level.beeX, dy = Level.cells[target].y - Level.beeY;
    if (Level.roadLeft <= 1 && dx * dx + dy * dy < 0.01f) return;
  }
  FAIL() << "the bee never settled on " << target;
}

bool flyToAVisibleMarker(bool lastFirst) {
  std::vector<int> visible;
  for (const TrainingMarker& marker : MarkerList)
    if (marker.visible && Level.triggers[marker.cell].active) visible.push_back(marker.cell);
  if (lastFirst) visible.assign(visible.rbegin(), visible.rend());
  for (int cell : visible) {
    clickAt(Level.cells[cell].x, Level.cells[cell].y);
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
    return cell.open;
  }
  return false;
}

void playTheLesson(bool lastMarkerFirst) {
  loadTraining();
  bool lookedAround = false;
  for (int moves = 0; moves < 200 && !Level.won && !::testing::Test::HasFatalFailure(); ++moves) {
    if (!flyToAVisibleMarker(lastMarkerFirst) && !hammerAFlaggedCell()) break;
    // Standing on the "use" arrow, the player looks round with the binoculars.
    if (!lookedAround && Level.currentCell == UseToolsBriefingCell && Level.binoculars > 0) {
      useBinoculars();
      lookedAround = true;
    }
  }
  EXPECT_TRUE(Level.won);
  EXPECT_EQ(Level.flowersTaken, Level.flowerCount);
  EXPECT_EQ(briefingCount, 4);
  EXPECT_EQ(Level.lives, 4);
  EXPECT_TRUE(lookedAround);
  for (int cell : {HammerBriefingCell, BinocularsBriefingCell, UseToolsBriefingCell})
    EXPECT_FALSE(Level.triggers[cell].active) << cell;
  // The cells the markers raised from the sea are empty land, and every
  // number still counts the bombs round it.
  int risen = 0;
  for (const TrainingMarker& marker : MarkerList) {
    const int link = Level.triggers[marker.cell].link;
    if (Level.triggers[marker.cell].active || !inBoard(link)) continue;
    EXPECT_EQ(Level.cells[link].content, 0) << "raised by " << marker.cell;
    ++risen;
  }
  EXPECT_GT(risen, 20);
  for (int i = 0; i < Level.cellCount; ++i) {
    const int content = Level.cells[i].content;
    if (content < 0 || content == CellBomb) continue;
    int bombs = 0;
    for (int direction : Directions) {
      const int n = neighbour(i, direction);
      bombs += n >= 0 && Level.cells[n].content == CellBomb;
    }
    EXPECT_EQ(content, bombs) << "cell " << i;
  }
}
}  // namespace

TEST(TrainingLesson, FollowingTheMarkersFinishesIt) { playTheLesson(false); }

TEST(TrainingLesson, MarkersTakenInAnotherOrderAlsoFinishIt) { playTheLesson(true); }

TEST(TrainingLesson, TheFarIslandIsReachedOnlyThroughTheGate) {
  loadTraining();
  // Everything but the gate opened: the far island's flower stays out of reach.
  const int gate = 235, farFlower = 169;
  EXPECT_EQ(Level.cells[gate].content, CellBomb);
  for (HexCell& cell : Level.cells)
    if (cell.content >= 0 && cell.index != gate && cell.index != farFlower) cell.open = 1;
  clickAt(Level.cells[farFlower].x, Level.cells[farFlower].y);
  EXPECT_EQ(Level.roadLeft, 0);
  Level.cells[gate].open = 1;
  clickAt(Level.cells[farFlower].x, Level.cells[farFlower].y);
  EXPECT_GT(Level.roadLeft, 0);
}
