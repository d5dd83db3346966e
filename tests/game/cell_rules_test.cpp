#include <gtest/gtest.h>

#include "support/round.h"
#include "game/board.h"
#include "game/cell_rules.h"
#include "game/play_state.h"

using namespace boardtest;

namespace {
void flagCell(int index) { toggleFlagAt(Level, cell(index).x, cell(index).y); }

class CellRules : public ::testing::Test {
 protected:
  void SetUp() override {
    emptyBoard();
    start = cellIndex(8, 8);
    startOn(start);
  }
  int start = -1;
};
}  // namespace

TEST_F(CellRules, EnteringOpensOnlyThatCellAndScoresItsNumber) {
  const int empty = neighbour(Level, start, 3);
  enterCell(Level, empty);
  EXPECT_TRUE(cell(empty).open);
  int open = 0;
  for (const HexCell& c : Level.cells) open += c.open;
  EXPECT_EQ(open, 2);
  EXPECT_EQ(Play.levelScore, 0);

  const int numbered = neighbour(Level, start, 9);
  putBombs({neighbour(Level, numbered, 9), neighbour(Level, numbered, 11), neighbour(Level, numbered, 7)});
  ASSERT_EQ(cell(numbered).content, 3);
  enterCell(Level, numbered);
  EXPECT_EQ(Play.levelScore, 300);
  EXPECT_FALSE(Level.bombEvent);
}

TEST_F(CellRules, BombsCostLivesAndTheLastOneEndsTheGame) {
  const int a = neighbour(Level, start, 1), b = neighbour(Level, start, 5);
  putBombs({a, b});
  Level.lives = 2;
  enterCell(Level, a);
  EXPECT_EQ(Level.lives, 1);
  EXPECT_TRUE(Level.bombEvent);
  EXPECT_FALSE(Level.dead);
  EXPECT_TRUE(cell(a).open);
  Level.bombEvent = 0;
  enterCell(Level, b);
  EXPECT_EQ(Level.lives, 0);
  EXPECT_TRUE(Level.bombEvent);
  EXPECT_TRUE(Level.dead);
  EXPECT_EQ(Play.levelScore, 0);
}

TEST_F(CellRules, LastFlowerWinsEvenWithBombsLeft) {
  const int first = neighbour(Level, start, 3), second = neighbour(Level, start, 9);
  putBombs({neighbour(Level, start, 1)});
  cell(first).flower = cell(second).flower = 1;
  Level.flowerCount = 2;
  enterCell(Level, first);
  EXPECT_EQ(Level.flowersTaken, 1);
  EXPECT_TRUE(Level.flowerEvent);
  EXPECT_FALSE(Level.won);
  enterCell(Level, second);
  EXPECT_TRUE(Level.won);
}

TEST_F(CellRules, FlagsOnlyOnClosedCellsWithoutFlowers) {
  const int closed = neighbour(Level, start, 3), flower = neighbour(Level, start, 9);
  cell(flower).flower = 1;
  flagCell(closed);
  EXPECT_TRUE(cell(closed).flagged);
  flagCell(closed);
  EXPECT_FALSE(cell(closed).flagged);
  flagCell(start);
  EXPECT_FALSE(cell(start).flagged);
  flagCell(flower);
  EXPECT_FALSE(cell(flower).flagged);
  toggleFlagAt(Level, cell(start).x, cell(start).y + 1.0f);  // on a corner
  toggleFlagAt(Level, -10, -10);
  EXPECT_EQ(Play.levelScore, 0);  // flag points are the caller's
}

TEST_F(CellRules, HammerOpensAFlaggedBombSafely) {
  const int bomb = neighbour(Level, start, 3);
  putBombs({bomb});
  flagCell(bomb);
  clickCell(bomb);  // no hammer: nothing, the cell cannot be entered
  EXPECT_FALSE(cell(bomb).open);
  EXPECT_EQ(Level.roadLeft, 0);

  Level.hammers = 1;
  clickCell(bomb);
  EXPECT_TRUE(cell(bomb).open);
  EXPECT_FALSE(cell(bomb).flagged);
  EXPECT_EQ(Level.hammers, 0);
  EXPECT_EQ(Level.lives, 4);
  EXPECT_FALSE(Level.bombEvent);
  EXPECT_EQ(Play.levelScore, 500);
  EXPECT_EQ(Level.roadLeft, 0);
}

TEST_F(CellRules, BinocularsFlagBombsAndOpenTheRestButNotFlowers) {
  const int bomb = neighbour(Level, start, 1), flower = neighbour(Level, start, 5), plain = neighbour(Level, start, 9);
  putBombs({bomb});
  cell(flower).flower = 1;
  useBinoculars(Level);  // none in stock
  EXPECT_FALSE(cell(plain).open);

  Level.binoculars = 2;
  cell(plain).flagged = 1;  // wrongly
  useBinoculars(Level);
  EXPECT_TRUE(cell(bomb).flagged);
  EXPECT_FALSE(cell(bomb).open);
  EXPECT_FALSE(cell(flower).open);
  EXPECT_FALSE(cell(flower).flagged);
  EXPECT_TRUE(cell(plain).open);
  EXPECT_TRUE(canEnter(Level, plain)) << "the wrong flag went with the opening";
  for (int direction : {3, 7, 11}) EXPECT_TRUE(cell(neighbour(Level, start, direction)).open);
  EXPECT_EQ(Level.binoculars, 1);
  EXPECT_EQ(Play.levelScore, 400);

  Level.currentCell = -1;  // the bee on an edge
  useBinoculars(Level);
  EXPECT_EQ(Level.binoculars, 1);
}

TEST_F(CellRules, ItemsArePickedUpFromTheBeesCell) {
  Level.cellItems[start] = ItemBinoculars;
  Level.cellMarks[start] = 3;
  pickUpItems(Level);
  EXPECT_EQ(Level.binoculars, 1);
  EXPECT_EQ(Level.cellItems[start], ItemNone);
  EXPECT_EQ(Level.cellMarks[start], NoMark);
  EXPECT_EQ(Play.levelScore, 200);
  pickUpItems(Level);
  EXPECT_EQ(Play.levelScore, 200);
  Level.cellItems[start] = ItemHammer;
  pickUpItems(Level);
  EXPECT_EQ(Level.hammers, 1);
  EXPECT_EQ(Play.levelScore, 500);
  Level.currentCell = -1;
  pickUpItems(Level);
}
