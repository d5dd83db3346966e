// The points of a round as the update applies them, and the counters that
// show them.
#include <gtest/gtest.h>

#include "game/cell_rules.h"
#include "game/scoring.h"
#include "support/round.h"

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
