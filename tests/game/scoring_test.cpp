// The points of a round as the update applies them, and the counters that
// show them.
#include <gtest/gtest.h>

#include "game/cell_rules.h"
#include "game/scoring.h"
#include "play_test_support.h"

using namespace boardtest;
using namespace playtest;

TEST(DisplayedValue, ClosesAHundredthOfTheDifferenceAtLeastOne) {
  int32_t shown = 0;
  int steps = 0;
  while (shown != 150) {
    const int32_t next = stepTowards(shown, 150);
    EXPECT_EQ(next - shown, 1);
    shown = next;
    ++steps;
  }
  EXPECT_EQ(steps, 150);
  EXPECT_EQ(stepTowards(0, 1000), 10);
  EXPECT_EQ(stepTowards(0, 199), 1);
  EXPECT_EQ(stepTowards(1000, 0), 990);
  EXPECT_EQ(stepTowards(5, 0), 4);
  EXPECT_EQ(stepTowards(7, 7), 7);
  EXPECT_EQ(stepTowards(-2000000000, 2000000000), -2000000000 + 40000000);
}

TEST(DisplayedValue, EightDigitsWithLeadingZeros) {
  EXPECT_EQ(scoreText(0), "00000000");
  EXPECT_EQ(scoreText(1234), "00001234");
  EXPECT_EQ(scoreText(123456789), "123456789");
}

TEST(Scoring, TwoFlowersInARowThenABombBetweenTwo) {
  Play = PlayState{};
  EXPECT_EQ(scoreFlower(), 1);
  EXPECT_EQ(Play.levelScore, 400);
  EXPECT_EQ(scoreFlower(), 2);
  EXPECT_EQ(Play.levelScore, 400 + 1600);
  EXPECT_EQ(Play.multiplier, 4);

  Play = PlayState{};
  scoreFlower();
  scoreBomb();
  EXPECT_EQ(Play.levelScore, 0);
  EXPECT_EQ(Play.multiplier, 1);
  scoreFlower();
  EXPECT_EQ(Play.levelScore, 800);
}

TEST(Scoring, ABombTakesAThousandButNeverBelowZero) {
  Play = PlayState{};
  Play.levelScore = 500;
  scoreBomb();
  EXPECT_EQ(Play.levelScore, 0);
  Play.levelScore = 2500;
  scoreBomb();
  EXPECT_EQ(Play.levelScore, 1500);
}

TEST(Scoring, ManyFlowersDoNotOverflow) {
  Play = PlayState{};
  for (int i = 0; i < 60; ++i) scoreFlower();
  EXPECT_GT(Play.levelScore, 0);
  EXPECT_GT(Play.multiplier, 0);
}

class RoundScoring : public PlayTest {};

TEST_F(RoundScoring, EnteringANumberScoresItsHundreds) {
  const int start = cellIndex(4, 4), target = cellIndex(4, 5);
  putBombs({cellIndex(3, 5), cellIndex(5, 5), cellIndex(4, 6)});
  beeOn(start);
  const int shown = cell(target).content;
  ASSERT_EQ(shown, 3);
  flyTo(target);
  EXPECT_TRUE(cell(target).open);
  EXPECT_EQ(Level.currentCell, target);
  EXPECT_EQ(Play.levelScore, 300);
}

TEST_F(RoundScoring, FlagsOnClosedCellsScoreAndOnOpenAndFlowerCellsNothing) {
  const int start = cellIndex(6, 6);
  beeOn(start);
  const int closed = cellIndex(6, 8), flower = cellIndex(6, 9);
  cell(flower).flower = 1;

  rightClickOn(closed);
  frame();
  EXPECT_TRUE(cell(closed).flagged);
  EXPECT_EQ(Play.levelScore, 40);
  rightClickOn(closed);
  frame();
  EXPECT_FALSE(cell(closed).flagged);
  EXPECT_EQ(Play.levelScore, 0);

  rightClickOn(start);
  frame();
  rightClickOn(flower);
  frame();
  EXPECT_FALSE(cell(start).flagged);
  EXPECT_FALSE(cell(flower).flagged);
  EXPECT_EQ(Play.levelScore, 0);
}

TEST_F(RoundScoring, PickingUpTheToolsAndUsingThem) {
  const int start = cellIndex(8, 8), next = cellIndex(8, 9);
  beeOn(start);
  Level.cellItems[start] = ItemBinoculars;
  Level.cellItems[next] = ItemHammer;
  frame();
  EXPECT_EQ(Level.binoculars, 1);
  EXPECT_EQ(Play.levelScore, 200);
  EXPECT_EQ(Level.cellItems[start], ItemNone);
  frame();
  EXPECT_EQ(Play.levelScore, 200);  // once

  flyTo(next);
  EXPECT_EQ(Level.hammers, 1);
  EXPECT_EQ(Play.levelScore, 200 + 300);

  useBinoculars();
  EXPECT_EQ(Play.levelScore, 900);
  EXPECT_EQ(Level.binoculars, 0);

  // The hammer opens a flagged cell without the bee going there.
  const int flagged = cellIndex(8, 11);
  cell(flagged).flagged = 1;
  leftClickOn(flagged);
  frame();
  EXPECT_TRUE(cell(flagged).open);
  EXPECT_FALSE(cell(flagged).flagged);
  EXPECT_EQ(Level.hammers, 0);
  EXPECT_EQ(Play.levelScore, 1400);
}

TEST_F(RoundScoring, BinocularsNextToAFlowerLeaveItClosedAndUnflagged) {
  const int start = cellIndex(10, 10);
  const int flower = neighbour(start, 3), bomb = neighbour(start, 9), plain = neighbour(start, 1);
  putBombs({bomb});
  cell(flower).flower = 1;
  beeOn(start);
  Level.binoculars = 1;
  useBinoculars();
  EXPECT_FALSE(cell(flower).open);
  EXPECT_FALSE(cell(flower).flagged);
  EXPECT_TRUE(cell(bomb).flagged);
  EXPECT_FALSE(cell(bomb).open);
  EXPECT_TRUE(cell(plain).open);
  EXPECT_EQ(Play.levelScore, 400);
}

TEST_F(RoundScoring, FlowersAndABombThroughTheRound) {
  const int start = cellIndex(12, 4);
  const int first = cellIndex(12, 5), bomb = cellIndex(12, 6), second = cellIndex(12, 7);
  putBombs({bomb});
  cell(first).flower = cell(second).flower = 1;
  Level.flowerCount = 3;
  beeOn(start);

  flyTo(first);
  EXPECT_EQ(Play.levelScore, 400 + 100);  // the flower, and the number it shows
  EXPECT_EQ(Play.multiplier, 2);
  ASSERT_NE(findEmitter(0), nullptr);
  EXPECT_TRUE(findEmitter(0)->emitting);
  EXPECT_FLOAT_EQ(findEmitter(0)->position.y, 19.0f);
  EXPECT_FLOAT_EQ(findEmitter(0)->position.x, cell(first).x);

  flyTo(bomb);
  EXPECT_EQ(Level.lives, 3);
  EXPECT_EQ(Play.levelScore, 0);
  EXPECT_EQ(Play.multiplier, 1);
  EXPECT_TRUE(findEmitter(10)->emitting);
  EXPECT_FLOAT_EQ(findEmitter(10)->position.z, cell(bomb).y);
  framesUntil([] { return TheBee.state == BeeFlying; });

  flyTo(second);
  EXPECT_EQ(Play.levelScore, 800 + 100);
  EXPECT_TRUE(findEmitter(1)->emitting);
  EXPECT_FALSE(Level.won);
}

TEST_F(RoundScoring, DebugKeysAddFortyThousandAndEndTheRound) {
  beeOn(cellIndex(5, 5));
  Level.flowerCount = 4;
  LastKeyUp = 13;
  frame();
  EXPECT_EQ(LastKeyUp, 0);
  EXPECT_EQ(Play.levelScore, 40000);
  EXPECT_TRUE(Play.resultsShown);
  EXPECT_TRUE(Play.inputBlocked);

  Play.resultsShown = Play.inputBlocked = 0;
  LastKeyUp = 8;
  frame();
  EXPECT_EQ(Play.levelScore, 80000);
  EXPECT_TRUE(Play.resultsShown);
}

TEST_F(RoundScoring, ResultsCountUpTheLevelAndTheTotalOfTheOtherLevels) {
  Play.levelNumber = 2;
  Play.levelScore = 1000;
  Play.resultsShown = Play.inputBlocked = 1;
  ConfigNode& profile = CurrentProfileNode();
  profile.Get("score1").SetInt(500);
  profile.Get("score2").SetInt(77777);  // this level's old score does not count
  profile.Get("score9").SetInt(25);
  LabelWidget& level = CreateLabel("nlevel", 0, 0, 1, 0.1f);
  LabelWidget& total = CreateLabel("ntotal", 0, 0, 1, 0.1f);
  frame();
  EXPECT_EQ(Play.totalScore, 1525);
  EXPECT_EQ(level.text, "00000000");
  EXPECT_EQ(Play.displayedScore, 10);
  EXPECT_EQ(Play.displayedTotal, 15);
  frame();
  EXPECT_EQ(level.text, "00000010");
  EXPECT_EQ(total.text, "00000015");
}
