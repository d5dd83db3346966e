#include <gtest/gtest.h>

#include <cmath>

#include "support/round.h"
#include "game/board.h"

using namespace boardtest;

namespace {
int opposite(int direction) { return (direction + 5) % 12 + 1; }
}  // namespace

TEST(BoardGeometry, RowEndsOfBothParities) {
  emptyBoard();
  const int firstEven = cellIndex(2, 0), lastEven = cellIndex(2, 20);
  const int firstOdd = cellIndex(3, 0), lastOdd = cellIndex(3, 19);
  // Odd rows are shorter: the last cell of an even row sticks out.
  EXPECT_EQ(neighbour(lastEven, 1), -1);
  EXPECT_EQ(neighbour(lastEven, 5), -1);
  EXPECT_EQ(neighbour(lastEven, 3), -1);
  EXPECT_EQ(neighbour(lastEven, 7), cellIndex(3, 19));
  EXPECT_EQ(neighbour(lastEven, 11), cellIndex(1, 19));
  EXPECT_EQ(neighbour(firstEven, 7), -1);
  EXPECT_EQ(neighbour(firstEven, 11), -1);
  EXPECT_EQ(neighbour(firstEven, 9), -1);
  EXPECT_EQ(neighbour(firstEven, 1), cellIndex(1, 0));
  EXPECT_EQ(neighbour(firstEven, 5), cellIndex(3, 0));
  EXPECT_EQ(neighbour(firstOdd, 7), cellIndex(4, 0));
  EXPECT_EQ(neighbour(firstOdd, 11), cellIndex(2, 0));
  EXPECT_EQ(neighbour(lastOdd, 1), cellIndex(2, 20));
  EXPECT_EQ(neighbour(lastOdd, 5), cellIndex(4, 20));
  EXPECT_EQ(neighbour(lastOdd, 3), -1);
  // Top and bottom rows.
  EXPECT_EQ(neighbour(cellIndex(0, 5), 1), -1);
  EXPECT_EQ(neighbour(cellIndex(0, 5), 11), -1);
  EXPECT_EQ(neighbour(cellIndex(19, 5), 5), -1);
  EXPECT_EQ(neighbour(cellIndex(19, 5), 7), -1);
  // Not a clock position of a side.
  EXPECT_EQ(neighbour(cellIndex(5, 5), 2), -1);
  EXPECT_EQ(neighbour(cellIndex(5, 5), 12), -1);
  EXPECT_EQ(neighbour(-1, 3), -1);
  EXPECT_EQ(neighbour(410, 9), -1);
}

TEST(BoardGeometry, NeighboursAreMutualAndOneCellApart) {
  for (float width : {StartBoardWidth, 37.9f}) {
    emptyBoard(width);
    for (int i = 0; i < Level.cellCount; ++i) {
      for (int direction : Directions) {
        const int n = neighbour(i, direction);
        if (n < 0) continue;
        EXPECT_EQ(neighbour(n, opposite(direction)), i) << "cell " << i << " direction " << direction;
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
  EXPECT_EQ(neighbour(lastOdd, 1), -1);
  EXPECT_EQ(neighbour(lastOdd, 5), -1);
  EXPECT_EQ(neighbour(cellIndex(2, Level.rowLenEven - 1), 5), cellIndex(3, Level.rowLenOdd - 1));
}

TEST(BoardGeometry, HolesAreNeverNeighbours) {
  emptyBoard();
  const int middle = cellIndex(6, 6);
  const int hole = neighbour(middle, 3);
  makeHoles({hole});
  EXPECT_EQ(neighbour(middle, 3), -1);
  EXPECT_EQ(neighbour(hole + 1, 9), -1);
  EXPECT_FALSE(cellExists(hole));
  // A hole keeps its place in the rows, so its own neighbours are still found.
  EXPECT_EQ(neighbour(hole, 9), middle);
}

TEST(BoardGeometry, NumbersCountBombsAmongExistingNeighbours) {
  emptyBoard();
  const int middle = cellIndex(6, 6);
  putBombs({neighbour(middle, 1), neighbour(middle, 7)});
  EXPECT_EQ(cell(middle).content, 2);
  const int right = neighbour(middle, 3);
  makeHoles({right});
  cell(neighbour(middle, 1)).content = 0;
  computeNumbers();
  EXPECT_EQ(cell(middle).content, 1);
  EXPECT_EQ(cell(right).content, CellHole);
  for (int i = 0; i < Level.cellCount; ++i) {
    if (cell(i).content < 0 || cell(i).content == CellBomb) continue;
    ASSERT_EQ(cell(i).content, bombNeighbours(i));
  }
}

TEST(CellAt, CentresFindTheirCell) {
  emptyBoard();
  for (int i = 0; i < Level.cellCount; ++i) ASSERT_EQ(cellAt(cell(i).x, cell(i).y), i);
  const HexCell& c = cell(cellIndex(7, 7));
  EXPECT_EQ(cellAt(c.x + 0.85f, c.y), c.index);
  EXPECT_EQ(cellAt(c.x, c.y + 0.95f), c.index);
  EXPECT_EQ(cellAt(c.x + 0.9f, c.y), c.index + 1);
  EXPECT_EQ(cellAt(c.x + 0.1f, c.y + 1.05f), neighbour(c.index, 5));
}

TEST(CellAt, CornersAndSharedEdgesHitNoCell) {
  emptyBoard();
  const HexCell& c = cell(cellIndex(7, 7));
  // Top and bottom corners are shared by three cells.
  EXPECT_EQ(cellAt(c.x, c.y + 1.0f), -1);
  EXPECT_EQ(cellAt(c.x, c.y - 1.0f), -1);
  // Vertical edges between the cells of a row, where both cells compute the
  // same edge position.
  int checked = 0;
  for (int i = 0; i + 1 < Level.cellCount; ++i) {
    if (cell(i).row != cell(i + 1).row) continue;
    const float edge = cell(i).x + Level.cellRadius * Cos30;
    if (edge != cell(i + 1).x - Level.cellRadius * Cos30) continue;
    ASSERT_EQ(cellAt(edge, cell(i).y), -1) << "edge after cell " << i;
    ++checked;
  }
  EXPECT_GT(checked, 20);
}

TEST(CellAt, HolesAndPointsOffTheBoardHitNoCell) {
  emptyBoard();
  const int hole = cellIndex(4, 4);
  makeHoles({hole});
  EXPECT_EQ(cellAt(cell(hole).x, cell(hole).y), -1);
  EXPECT_EQ(cellAt(-5, 10), -1);
  EXPECT_EQ(cellAt(10, 40), -1);
}
