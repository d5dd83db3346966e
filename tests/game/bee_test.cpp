// The bee's flight along its road and the model's animation.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "game/bee_flight.h"
#include "game/route.h"
#include "support/round.h"

using namespace boardtest;
using namespace playtest;

namespace {
float distanceToCentre(int index) {
  return std::hypot(Level.beeX - cell(index).x, Level.beeY - cell(index).y);
}

// moveBee as the update calls it at 60 frames a second.
void fly(int frames) {
  for (int i = 0; i < frames; ++i) moveBee(1000.0f / 60 * 7.0f);
}
}  // namespace

class BeeFlight : public PlayTest {};

TEST_F(BeeFlight, AOneStepRouteEntersTheTargetOnceAndSettlesOnItsCentre) {
  const int start = cellIndex(6, 6), target = cellIndex(6, 7);
  putBombs({cellIndex(5, 7)});
  beeOn(start);
  sendBeeTo(cell(target).x, cell(target).y);
  ASSERT_EQ(Level.roadLeft, 2);
  ASSERT_EQ(Level.road[1], target);

  int framesToEnter = 0;
  while (Level.roadLeft == 2 && framesToEnter < 200) {
    fly(1);
    ++framesToEnter;
  }
  EXPECT_EQ(Level.roadLeft, 1);
  EXPECT_TRUE(cell(target).open);
  EXPECT_EQ(Level.currentCell, target);
  const int32_t scored = Play.levelScore;
  EXPECT_EQ(scored, 100 * cell(target).content);

  // Settling: crossing back and forth enters nothing more.
  for (int i = 0; i < 300; ++i) {
    fly(1);
    EXPECT_NE(Level.currentCell, start);
  }
  EXPECT_EQ(Play.levelScore, scored);
  EXPECT_LT(distanceToCentre(target), 0.01f);
  EXPECT_EQ(Level.roadLeft, 1);
}

TEST_F(BeeFlight, TopSpeedIsAboutFiveUnitsASecond) {
  const int start = cellIndex(10, 1), target = cellIndex(10, 19);
  for (int column = 1; column <= 18; ++column) cell(cellIndex(10, column)).open = 1;
  beeOn(start);
  sendBeeTo(cell(target).x, cell(target).y);
  fly(120);
  const float from = Level.beeX;
  fly(60);  // one second at 60 frames a second
  EXPECT_NEAR(Level.beeX - from, 4.8f, 0.3f);
  EXPECT_NEAR(std::hypot(Level.beeVelX, Level.beeVelY), 1340, 30);
  // Flying towards +x (and not along the board's y) faces a quarter turn.
  EXPECT_NEAR(Level.beeHeading, 1.5707964f, 0.01f);
}

class BeeModel : public PlayTest {};
