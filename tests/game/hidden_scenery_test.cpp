// Which scenery no camera of a round can see: what lies under the board's
// cells, with room round it for slanting views.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "game/hidden_scenery.h"
#include "support/round.h"

using namespace boardtest;

namespace {
// A small triangle round (x, z) at height y.
struct Ground {
  D3DXVECTOR3 corners[3];
  Ground(float x, float y, float z)
      : corners{D3DXVECTOR3(x - 0.1f, y, z), D3DXVECTOR3(x + 0.1f, y, z), D3DXVECTOR3(x, y, z + 0.1f)} {}
};

bool hidden(float x, float y, float z) { return hiddenUnderBoard(Ground(x, y, z).corners); }

constexpr float IslandTop = 16.9f;
}  // namespace

class HiddenScenery : public ::testing::Test {
 protected:
  void SetUp() override {
    emptyBoard();
    middle = cellIndex(10, 10);
  }
  float x(int index) const { return cell(index).x; }
  float z(int index) const { return cell(index).y; }
  int middle = 0;
};

TEST_F(HiddenScenery, GroundUnderTheCellsIsHiddenAndNothingAboveOrLevelWithThem) {
  EXPECT_TRUE(hidden(x(middle), IslandTop, z(middle)));
  EXPECT_TRUE(hidden(x(middle), 16.94f, z(middle)));
  // So close under the cells that the depth buffer could tie them.
  EXPECT_FALSE(hidden(x(middle), 16.97f, z(middle)));
  EXPECT_FALSE(hidden(x(middle), 17.5f, z(middle)));
  // A triangle from under the board up through it.
  Ground through(x(middle), IslandTop, z(middle));
  through.corners[2].y = 17.2f;
  EXPECT_FALSE(hiddenUnderBoard(through.corners));
}

TEST_F(HiddenScenery, AHoleShowsTheGroundUnderItAndRoundItTheDeeperTheWider) {
  const int hole = cellIndex(10, 5);
  makeHoles({hole});
  EXPECT_FALSE(hidden(x(hole), IslandTop, z(hole)));
  // Beside the hole, under its neighbour: seen at a slant through the hole.
  EXPECT_FALSE(hidden(x(hole) + 1.3f, IslandTop, z(hole)));
  EXPECT_TRUE(hidden(x(hole) + 1.6f, IslandTop, z(hole)));
  // Deeper down the same spot shows through the hole from further off.
  EXPECT_FALSE(hidden(x(hole) + 1.6f, 16.0f, z(hole)));
  EXPECT_TRUE(hidden(x(hole) + 5.0f, 16.0f, z(hole)));
}

TEST_F(HiddenScenery, TheBoardsEdgeShowsTheGroundBeyondAndUnderItsRim) {
  // Inside the corner cells, but near the board's edge.
  const int first = cellIndex(0, 0), last = cellIndex(Level.rowCount - 1, 0);
  EXPECT_TRUE(hidden(x(first), IslandTop, z(first)));
  EXPECT_FALSE(hidden(x(first) - 0.7f, IslandTop, z(first)));
  EXPECT_FALSE(hidden(x(last), IslandTop, z(last) + 0.7f));
  EXPECT_FALSE(hidden(x(first) - 3.0f, IslandTop, z(middle)));
  EXPECT_FALSE(hidden(x(middle), IslandTop, -5.0f));
  EXPECT_TRUE(hidden(x(cellIndex(3, 3)), IslandTop, z(cellIndex(3, 3))));
}

TEST_F(HiddenScenery, CellsThatDoNotCoverTheirPlaceHideNothing) {
  // A cell moved off its place in the rows leaves a gap there.
  cell(middle).x += 0.5f;
  EXPECT_FALSE(hidden(x(middle) - 0.5f, IslandTop, z(middle)));
  // Cells further apart than the model's size leave gaps between them.
  static_cast<HexBoard&>(Level) = HexBoard{};
  layoutBoard(0, 0, StartBoardWidth, StartBoardHeight, 1.2f);
  EXPECT_FALSE(hidden(x(middle), IslandTop, z(middle)));
  static_cast<HexBoard&>(Level) = HexBoard{};
  layoutBoard(0, 0, StartBoardWidth, StartBoardHeight, 0.8f);
  EXPECT_TRUE(hidden(x(middle), IslandTop, z(middle)));
}

TEST_F(HiddenScenery, BrokenNumbersHideNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), huge = 1e30f;
  EXPECT_FALSE(hidden(nan, IslandTop, z(middle)));
  EXPECT_FALSE(hidden(x(middle), nan, z(middle)));
  EXPECT_FALSE(hidden(huge, IslandTop, z(middle)));
  EXPECT_FALSE(hidden(x(middle), -huge, z(middle)));
  Level.originY = nan;
  EXPECT_FALSE(hidden(x(middle), IslandTop, z(middle)));
  Level.originY = 0;
  Level.cellRadius = nan;
  EXPECT_FALSE(hidden(x(middle), IslandTop, z(middle)));
}

TEST_F(HiddenScenery, SkySeenOnlyThroughTheCellsIsHidden) {
  const D3DXVECTOR3 eye(x(middle), 28, z(middle));
  // Far below, straight under the eye: its sight lines meet the middle cell.
  EXPECT_TRUE(hiddenBehindBoard(Ground(x(middle), -200, z(middle)).corners, eye));
  // Above the board's plane, or seen from under it, it is not behind the cells.
  EXPECT_FALSE(hiddenBehindBoard(Ground(x(middle), 100, z(middle)).corners, eye));
  EXPECT_FALSE(hiddenBehindBoard(Ground(x(middle), -200, z(middle)).corners, D3DXVECTOR3(x(middle), 16, z(middle))));
  // Seen through a hole.
  makeHoles({middle});
  EXPECT_FALSE(hiddenBehindBoard(Ground(x(middle), -200, z(middle)).corners, eye));
}
