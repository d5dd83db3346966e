#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/round.h"
#include "game/board.h"
#include "game/cell_rules.h"
#include "game/route.h"
#include "game/test_hooks.h"

using namespace boardtest;

namespace {
int messages = 0;
std::string lastCaption;
void countMessage(const char* caption, const char*) {
  ++messages;
  lastCaption = caption;
}


// The cells of the road from the start cell to the target.
std::vector<int> roadCells() {
  std::vector<int> cells;
  for (int j = Level.road[0]; j >= 1; --j) cells.push_back(Level.road[j]);
  return cells;
}

class RouteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    emptyBoard();
    messages = 0;
    setRouteMessageHook(countMessage);
  }
  void TearDown() override { setRouteMessageHook(nullptr); }
};
}  // namespace

TEST_F(RouteTest, ShortestRouteOverOpenCells) {
  // A straight open row and a detour; the route takes the row.
  const int start = cellIndex(6, 2);
  startOn(start);
  for (int column = 3; column <= 8; ++column) openCells({cellIndex(6, column)});
  const int target = cellIndex(6, 9);
  clickCell(target);
  EXPECT_EQ(cell(target).distance, 7);
  ASSERT_EQ(Level.road[0], 8);
  EXPECT_EQ(Level.roadLeft, 8);
  EXPECT_EQ(Level.road[1], target);
  std::vector<int> expected;
  for (int column = 2; column <= 9; ++column) expected.push_back(cellIndex(6, column));
  EXPECT_EQ(roadCells(), expected);
  EXPECT_FALSE(cell(target).open);  // only the bee's arrival opens it
}

TEST_F(RouteTest, RouteGoesRoundClosedCells) {
  const int start = cellIndex(6, 2);
  startOn(start);
  // Open cells in a U: right along row 6 is closed in the middle.
  openCells({cellIndex(6, 3), cellIndex(7, 3), cellIndex(8, 4), cellIndex(7, 4), cellIndex(6, 5)});
  const int target = cellIndex(6, 6);
  clickCell(target);
  const std::vector<int> cells = roadCells();
  ASSERT_FALSE(cells.empty());
  EXPECT_EQ(cells.back(), target);
  for (size_t i = 0; i + 1 < cells.size(); ++i) EXPECT_TRUE(cell(cells[i]).open) << cells[i];
  EXPECT_EQ(cell(cellIndex(6, 4)).distance, -1);
  // Each step is to a neighbour.
  EXPECT_EQ(cells.front(), start);
  for (size_t i = 1; i < cells.size(); ++i) {
    bool adjacent = false;
    for (int direction : Directions) adjacent = adjacent || neighbour(Level, cells[i - 1], direction) == cells[i];
    EXPECT_TRUE(adjacent);
  }
  // Along row 6, through row 7 and back: five steps.
  EXPECT_EQ(cell(target).distance, 5);
  EXPECT_EQ(Level.road[0], 6);
}

TEST_F(RouteTest, RouteLongerThanHalfTheBoardIsRefusedOnce) {
  // One open row of 21 cells: half the board is 10 cells.
  emptyBoard(StartBoardWidth, 2.5f);
  ASSERT_EQ(Level.cellCount, 21);
  for (int i = 0; i < Level.cellCount; ++i) openCells({i});
  startOn(0);
  Level.road[0] = 2;
  Level.road[1] = 5;
  Level.road[2] = 0;
  Level.roadLeft = 2;
  clickCell(20);
  EXPECT_EQ(cell(20).distance, 20);
  EXPECT_EQ(messages, 1);
  EXPECT_EQ(lastCaption, "Ошибка создания объекта");
  EXPECT_EQ(Level.roadLeft, 0);  // the bee stays where it is
  EXPECT_EQ(Level.road[1], 5);
  clickCell(15);
  EXPECT_EQ(messages, 1);
  EXPECT_EQ(Level.roadLeft, 0);
  clickCell(9);
  EXPECT_EQ(Level.roadLeft, 10);
  EXPECT_EQ(Level.road[1], 9);
}
