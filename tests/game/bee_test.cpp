// The bee's flight along its road and the model's animation.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "game/bee_flight.h"
#include "game/route.h"
#include "play_test_support.h"

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

TEST_F(BeeFlight, NoRouteLeavesTheBeeMotionless) {
  beeOn(cellIndex(3, 3));
  Level.beeVelX = 12;
  Level.beeVelY = -7;
  const float x = Level.beeX, y = Level.beeY;
  Level.roadLeft = 0;
  fly(10);
  EXPECT_EQ(Level.beeX, x);
  EXPECT_EQ(Level.beeY, y);
  EXPECT_EQ(Level.beeVelX, 12);
  EXPECT_EQ(Level.beeVelY, -7);
}

TEST_F(BeeFlight, ExactlyOnTheTargetCentreStaysFinite) {
  const int start = cellIndex(3, 3);
  beeOn(start);
  Level.road[0] = 1;
  Level.road[1] = start;
  Level.roadLeft = 1;
  Level.beeVelX = Level.beeVelY = 0;
  fly(5);
  EXPECT_TRUE(std::isfinite(Level.beeX));
  EXPECT_EQ(Level.beeX, cell(start).x);
  EXPECT_EQ(Level.currentCell, start);
}

TEST_F(BeeFlight, ARoadWithAnEntryOutsideTheBoardIsDropped) {
  beeOn(cellIndex(3, 3));
  Level.road[0] = 2;
  Level.road[1] = 99999;
  Level.roadLeft = 2;
  fly(1);
  EXPECT_EQ(Level.roadLeft, 0);
}

class BeeModel : public PlayTest {};

TEST_F(BeeModel, StartsTippedAndLevelsOutWithinAboutFortyThreeFrames) {
  beeOn(cellIndex(4, 4));
  TheBee.reset();
  EXPECT_EQ(TheBee.pitch, 90);
  EXPECT_EQ(TheBee.heading, 0);
  EXPECT_EQ(TheBee.position, D3DXVECTOR3(20, 18, 20));
  int frames = 0;
  while (TheBee.pitch >= 1) {
    TheBee.update();
    ++frames;
  }
  EXPECT_EQ(frames, 43);
  // It hovers over the board's plane, over its place on the board.
  EXPECT_EQ(TheBee.position.x, Level.beeX);
  EXPECT_EQ(TheBee.position.z, Level.beeY);
  EXPECT_GE(TheBee.position.y, 17.8f);
  EXPECT_LE(TheBee.position.y, 18.0f);
}

TEST_F(BeeModel, AnimationClockRunsFiveUnitsASecondAndStopsWithoutAFrameRate) {
  TheBee.reset();
  for (int i = 0; i < 60; ++i) TheBee.update();
  EXPECT_NEAR(TheBee.animTime, 5.0f, 0.01f);
  FramesPerSecond = 0;
  TheBee.update();
  EXPECT_NEAR(TheBee.animTime, 5.0f, 0.01f);
  TheBee.hit();
  TheBee.update();
  EXPECT_TRUE(std::isfinite(TheBee.position.y));
  EXPECT_EQ(TheBee.hitTimer, 0);
}

TEST_F(BeeModel, TumblesUpAndAwaySpinningFasterForAboutTwoSeconds) {
  beeOn(cellIndex(4, 4));
  TheBee.update();
  TheBee.hit();
  EXPECT_EQ(TheBee.state, BeeHit);
  EXPECT_FLOAT_EQ(TheBee.hitAccel.y, 0.036f);
  EXPECT_GE(TheBee.hitAccel.x, -0.003f - 1e-6f);
  EXPECT_LE(TheBee.hitAccel.x, 0.003f + 1e-6f);
  EXPECT_GE(TheBee.hitAccel.z, 0.002f - 1e-6f);
  EXPECT_LE(TheBee.hitAccel.z, 0.004f + 1e-6f);

  const float startHeight = TheBee.position.y;
  float highest = startHeight, lastSpin = 0;
  int frames = 0;
  while (TheBee.hitTimer <= 10) {
    TheBee.update();
    EXPECT_GE(TheBee.spinSpeed, lastSpin);
    lastSpin = TheBee.spinSpeed;
    highest = std::max(highest, TheBee.position.y);
    ++frames;
  }
  EXPECT_NEAR(frames, 120, 2);
  // Blown up first, then it drops out of the scene.
  EXPECT_GT(highest, startHeight + 1);
  EXPECT_LT(TheBee.position.y, startHeight - 10);
  EXPECT_FLOAT_EQ(TheBee.roll, 30 * 50.0f / 60.0f);

  TheBee.recover();
  EXPECT_EQ(TheBee.state, BeeFlying);
  EXPECT_EQ(TheBee.spinSpeed, 0);
  TheBee.update();
  EXPECT_EQ(TheBee.position.x, Level.beeX);  // back over its place
}

TEST_F(BeeModel, AReplayAfterATumbleStartsTheNextTumbleSlowly) {
  beeOn(cellIndex(4, 4));
  TheBee.hit();
  for (int i = 0; i < 90; ++i) TheBee.update();
  ASSERT_GT(TheBee.spinSpeed, 5);
  // The round is lost in mid-tumble and replayed.
  TheBee.reset();
  EXPECT_EQ(TheBee.spinSpeed, 0);
  EXPECT_EQ(TheBee.hitVelocity, D3DXVECTOR3(0, 0, 0));
  TheBee.update();
  TheBee.hit();
  TheBee.update();
  EXPECT_FLOAT_EQ(TheBee.spinSpeed, 0.09f * 50 / 60);

  // A second blast during a tumble starts its spin afresh as well.
  for (int i = 0; i < 30; ++i) TheBee.update();
  TheBee.hit();
  EXPECT_EQ(TheBee.spinSpeed, 0);
}

TEST_F(BeeModel, TheTumbleRisesAndFallsAlikeAtAnyFrameRate) {
  // Height above the start after the given seconds of tumbling.
  auto heightAfter = [this](int framesPerSecond, float seconds) {
    FramesPerSecond = framesPerSecond;
    beeOn(cellIndex(4, 4));
    TheBee.reset();
    TheBee.update();
    const float start = TheBee.position.y;
    TheBee.hit();
    const int frames = static_cast<int>(std::lround(seconds * framesPerSecond));
    for (int i = 0; i < frames; ++i) TheBee.update();
    return TheBee.position.y - start;
  };
  for (float seconds : {0.4f, 1.0f, 2.0f}) {
    const float smooth = heightAfter(100, seconds);
    for (int rate : {10, 20, 30, 60}) EXPECT_NEAR(heightAfter(rate, seconds), smooth, 1.0f) << rate << " " << seconds;
  }
  // Blown up first: still above its start after a fifth of a second.
  EXPECT_GT(heightAfter(10, 0.2f), 0.5f);
  EXPECT_GT(heightAfter(60, 0.2f), 0.5f);
}
