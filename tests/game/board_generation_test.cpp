#include <gtest/gtest.h>

#include "support/round.h"
#include "game/board.h"
#include "game/board_generation.h"
#include "platform/random.h"

using namespace boardtest;

namespace {
bool isBomb(const HexCell& c) { return c.content == CellBomb; }

void expectNumbersMatchBombs() {
  for (int i = 0; i < Level.cellCount; ++i) {
    if (cell(i).content < 0 || cell(i).content == CellBomb) continue;
    ASSERT_EQ(cell(i).content, bombNeighbours(i)) << "cell " << i;
  }
}

// Runs of existing neighbours round a cell, as the thinning sees them.
int neighbourRuns(int index) {
  int runs = 0;
  for (int d = 0; d < 6; ++d) {
    const bool here = neighbour(Level, index, Directions[d]) >= 0;
    const bool before = neighbour(Level, index, Directions[(d + 5) % 6]) >= 0;
    if (here && !before) ++runs;
  }
  return runs;
}

int existingNeighbours(int index) {
  int count = 0;
  for (int direction : Directions) count += neighbour(Level, index, direction) >= 0;
  return count;
}

// A board with a ragged outline, so that thinning has bombs to remove.
void raggedBoard() {
  emptyBoard();
  for (int i = 0; i < Level.cellCount; ++i)
    if ((cell(i).row * 7 + cell(i).column * 3) % 5 == 0) cell(i).content = CellHole;
}
}  // namespace

TEST(Generation, PlacedBombsAreCountedAndNumbered) {
  emptyBoard();
  crtSrand(7);
  startOn(cellIndex(5, 5));
  EXPECT_EQ(placeBombs(Level, 60), 60);
  EXPECT_EQ(Level.bombCount, 60);
  EXPECT_EQ(countCells(isBomb), 60);
  EXPECT_NE(cell(Level.currentCell).content, CellBomb);
  computeNumbers(Level);
  expectNumbersMatchBombs();
}

TEST(Generation, ThinningRemovesBombsWithSplitNeighbourRuns) {
  raggedBoard();
  crtSrand(5);
  placeBombs(Level, 150);
  const int before = Level.bombCount;
  int split = 0;
  for (int i = 0; i < Level.cellCount; ++i)
    if (cell(i).content == CellBomb && existingNeighbours(i) < 5 && neighbourRuns(i) >= 2) ++split;
  ASSERT_GT(split, 0);
  thinBombs(Level);
  EXPECT_EQ(Level.bombCount, before - split);
  EXPECT_EQ(countCells(isBomb), before - split);
  for (int i = 0; i < Level.cellCount; ++i) {
    if (cell(i).content != CellBomb) continue;
    EXPECT_TRUE(existingNeighbours(i) >= 5 || neighbourRuns(i) <= 1) << "bomb " << i;
  }
  expectNumbersMatchBombs();
}

TEST(Generation, StartCellIsAFlowerlessCellWithTheSmallestNumber) {
  emptyBoard();
  crtSrand(21);
  placeBombs(Level, 120);
  computeNumbers(Level);
  placeFlowers(Level, 10);
  chooseStartCell(Level);
  const int start = Level.currentCell;
  ASSERT_TRUE(cellExists(Level, start));
  EXPECT_FALSE(cell(start).flower);
  EXPECT_TRUE(cell(start).open);
  EXPECT_FLOAT_EQ(Level.beeX, cell(start).x);
  EXPECT_FLOAT_EQ(Level.beeY, cell(start).y);
  for (int i = 0; i < Level.cellCount; ++i) {
    if (!cellExists(Level, i) || cell(i).flower) continue;
    EXPECT_GE(cell(i).content, cell(start).content);
  }

  // The smallest number lies only under a flower: the start is the smallest
  // flowerless number, and nothing is cleared for it.
  emptyBoard();
  const int flower = cellIndex(5, 4), one = cellIndex(5, 5), bomb = cellIndex(5, 6);
  for (int i = 0; i < Level.cellCount; ++i)
    if (i != flower && i != one && i != bomb) cell(i).content = CellHole;
  putBombs({bomb});
  cell(flower).flower = 1;
  chooseStartCell(Level);
  EXPECT_EQ(Level.currentCell, one);
  EXPECT_EQ(cell(bomb).content, CellBomb);
}

TEST(Generation, DifficultyFollowsTheLevelIndex) {
  const int expected[9] = {0, 1, 1, 1, 2, 2, 3, 3, 4};
  for (int index = 0; index < 9; ++index) EXPECT_EQ(difficultyForLevel(index), expected[index]);
}
