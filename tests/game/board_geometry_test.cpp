#include <gtest/gtest.h>

#include <cmath>

#include "support/round.h"
#include "game/board.h"

using namespace boardtest;

namespace {
int opposite(int direction) { return (direction + 5) % 12 + 1; }
}  // namespace

TEST(BoardGeometry, NeighboursAreMutualAndOneCellApart) {
  for (float width : {StartBoardWidth, 37.9f}) {
    emptyBoard(width);
    for (int i = 0; i < Level.cellCount; ++i) {
      for (int direction : Directions) {
        const int n = neighbour(Level, i, direction);
        if (n < 0) continue;
        EXPECT_EQ(neighbour(Level, n, opposite(direction)), i) << "cell " << i << " direction " << direction;
        const float distance = std::hypot(cell(n).x - cell(i).x, cell(n).y - cell(i).y);
        EXPECT_NEAR(distance, 2 * Cos30, 1e-4f);
      }
    }
  }
}

TEST(BoardGeometry, EqualRowLengthsCutTheOddRowsInstead) {
  emptyBoard(37.9f);
  ASSERT_EQ(Level.rowLenEven, Level.rowLenOdd);
  const int lastOdd = cellIndex(3, Level.rowLenOdd - 1);
  EXPECT_EQ(neighbour(Level, lastOdd, 1), -1);
  EXPECT_EQ(neighbour(Level, lastOdd, 5), -1);
  EXPECT_EQ(neighbour(Level, cellIndex(2, Level.rowLenEven - 1), 5), cellIndex(3, Level.rowLenOdd - 1));
}

TEST(BoardGeometry, HolesAreNeverNeighbours) {
  emptyBoard();
  const int middle = cellIndex(6, 6);
  const int hole = neighbour(Level, middle, 3);
  makeHoles({hole});
  EXPECT_EQ(neighbour(Level, middle, 3), -1);
  EXPECT_EQ(neighbour(Level, hole + 1, 9), -1);
  EXPECT_FALSE(cellExists(Level, hole));
  // A hole keeps its place in the rows, so its own neighbours are still found.
  EXPECT_EQ(neighbour(Level, hole, 9), middle);
}

TEST(BoardGeometry, NumbersCountBombsAmongExistingNeighbours) {
  emptyBoard();
  const int middle = cellIndex(6, 6);
  putBombs({neighbour(Level, middle, 1), neighbour(Level, middle, 7)});
  EXPECT_EQ(cell(middle).content, 2);
  const int right = neighbour(Level, middle, 3);
  makeHoles({right});
  cell(neighbour(Level, middle, 1)).content = 0;
  computeNumbers(Level);
  EXPECT_EQ(cell(middle).content, 1);
  EXPECT_EQ(cell(right).content, CellHole);
  for (int i = 0; i < Level.cellCount; ++i) {
    if (cell(i).content < 0 || cell(i).content == CellBomb) continue;
    ASSERT_EQ(cell(i).content, bombNeighbours(i));
  }
}

TEST(CellAt, CentresFindTheirCell) {
  emptyBoard();
  for (int i = 0; i < Level.cellCount; ++i) ASSERT_EQ(cellAt(Level, cell(i).x, cell(i).y), i);
  const HexCell& c = cell(cellIndex(7, 7));
  EXPECT_EQ(cellAt(Level, c.x + 0.85f, c.y), c.index);
  EXPECT_EQ(cellAt(Level, c.x, c.y + 0.95f), c.index);
  EXPECT_EQ(cellAt(Level, c.x + 0.9f, c.y), c.index + 1);
  EXPECT_EQ(cellAt(Level, c.x + 0.1f, c.y + 1.05f), neighbour(Level, c.index, 5));
}

TEST(CellAt, HolesAndPointsOffTheBoardHitNoCell) {
  emptyBoard();
  const int hole = cellIndex(4, 4);
  makeHoles({hole});
  EXPECT_EQ(cellAt(Level, cell(hole).x, cell(hole).y), -1);
  EXPECT_EQ(cellAt(Level, -5, 10), -1);
  EXPECT_EQ(cellAt(Level, 10, 40), -1);
}
