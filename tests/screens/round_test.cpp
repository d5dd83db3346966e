// A round from the player's side: clicks through the camera, the end of a
// round by winning or losing, camera flights and frozen play, and the ways
// into and out of a level.

#include "support/round.h"

#include <gtest/gtest.h>

#include "core/options.h"
#include "game/board_point.h"
#include "game/briefing_flights.h"
#include "platform/test_hooks.h"
#include "screens/menu_screens.h"
#include "screens/screen_links.h"
#include "screens/start_level.h"
#include "screens/update_game.h"

using namespace boardtest;
using namespace playtest;

class Round : public PlayTest {};

TEST_F(Round, APointerBecomesARayFromTheCameraThatHitsTheCellUnderIt) {
  const int start = cellIndex(10, 10), between = neighbour(Level, start, 5), target = neighbour(Level, between, 5);
  cell(between).open = 1;
  beeOn(start);
  leftClickOn(target);
  frame();
  EXPECT_NEAR(Play.boardPointX, cell(target).x, 0.05f);
  EXPECT_NEAR(Play.boardPointY, cell(target).y, 0.05f);
  EXPECT_EQ(cellAt(Level, Play.boardPointX, Play.boardPointY), target);
  EXPECT_EQ(Level.road[1], target);
  EXPECT_GE(Level.roadLeft, 2);
}

TEST_F(Round, TheLastLifeEndsTheRoundWhenTheBeeHasTumbled) {
  const int start = cellIndex(8, 8), bomb = cellIndex(8, 9);
  putBombs({bomb});
  beeOn(start);
  Level.lives = 1;
  leftClickOn(bomb);
  frame();
  framesUntil([] { return TheBee.state == BeeHit; });
  EXPECT_EQ(Level.lives, 0);
  EXPECT_TRUE(Level.dead);
  EXPECT_TRUE(findEmitter(LastLifeEmitter)->emitting);
  EXPECT_FALSE(Play.resultsShown);
  framesUntil([] { return Play.resultsShown != 0; });
  EXPECT_TRUE(Play.resultsShown);
  EXPECT_TRUE(Play.inputBlocked);
  EXPECT_EQ(TheBee.state, BeeHit);  // it keeps falling behind the screen
}

TEST_F(Round, EnterAndBackspaceEndTheRoundOnlyWithTheDevelopersKeysOn) {
  beeOn(cellIndex(8, 8));
  for (uint8_t key : {VK_RETURN, VK_BACK}) {
    Messages.LastKeyUp = key;
    frame();
    EXPECT_FALSE(Play.resultsShown) << int{key};
  }
  EXPECT_EQ(Play.levelScore, 0);
  Options.debugKeys = true;
  Messages.LastKeyUp = VK_RETURN;
  frame();
  EXPECT_TRUE(Play.resultsShown);
  EXPECT_EQ(Play.levelScore, 40000);
}

TEST_F(Round, TheTrainingEndsWithItsFinalBriefingAndTheTrainingReward) {
  writeLayout("briefFinish", {"button1"});
  const int start = cellIndex(8, 8), flower = cellIndex(8, 9);
  cell(flower).flower = 1;
  Level.flowerCount = 1;
  Play.trainingLevel = 1;
  beeOn(start);
  flyTo(flower);
  EXPECT_EQ(*FindWidget("button1").onAction.target<void (*)()>(), finishLevel);
  EXPECT_EQ(Play.modalState, ModalOpen);
  EXPECT_TRUE(Play.resultsShown);
  EXPECT_TRUE(Play.inputBlocked);
  EXPECT_EQ(CurrentProfileNode().Get("training").AsInt(), 1);
}

namespace {
int mapOpenedWith = -1;
void recordWorldMap(int immediate) { mapOpenedWith = immediate; }

}  // namespace

class LevelStart : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    installLevels();
    mapOpenedWith = -1;
    ScreenLinks.showWorldMap = recordWorldMap;
  }
  void TearDown() override {
    ScreenLinks.showWorldMap = nullptr;
    PlayTest::TearDown();
  }

  // Two levels on the same board: the training and one more.
  void installLevels() {
    emptyBoard();
    startOn(cellIndex(5, 5));
    putBombs({cellIndex(6, 6)});
    cell(cellIndex(5, 7)).flower = 1;
    Level.triggers[cellIndex(5, 6)] = TriggerRecord{1, 1, 0, 0, -1, 0};
    Level.triggers[68] = TriggerRecord{1, 0, 0, 0, -1, 0};
    writeFile("maps/a.map", playtest::mapBytes());
    writeFile("maps/a.map.trg", playtest::triggerBytes());
    writeFile("maps/b.map", playtest::mapBytes());
    Levels.LevelList = {"a.map", "b.map"};
  }
};

TEST_F(LevelStart, ALevelStartsOnANewBoardWithFourLives) {
  SetModeActive("menu", 1);
  SetModeActive("game", 0);
  Menu.MenuPage = PageOptions;
  crtSrand(11);
  startLevel(1);
  EXPECT_EQ(Play.levelNumber, 2);
  EXPECT_FALSE(Play.trainingLevel);
  EXPECT_EQ(Level.lives, 4);
  EXPECT_EQ(Level.difficulty, 1);
  EXPECT_EQ(Level.flowerCount, 10);
  EXPECT_EQ(Level.road.size(), 273u);
  EXPECT_EQ(Play.multiplier, 1);
  EXPECT_EQ(Play.modalState, ModalPlay);
  EXPECT_TRUE(Training.MarkerList.empty());
  EXPECT_EQ(FindMode("game")->active, 1);
  EXPECT_EQ(FindMode("menu")->active, 0);
  EXPECT_EQ(Menu.MenuPage, PageMainMenu);
  EXPECT_EQ(Cameras.CurrentCamera->animation, CameraFrozen);

  // The same seed gives the same board.
  std::vector<int32_t> contents;
  for (const HexCell& c : Level.cells) contents.push_back(c.content);
  crtSrand(11);
  startLevel(1);
  for (int i = 0; i < Level.cellCount; ++i) ASSERT_EQ(Level.cells[i].content, contents[i]);
}

TEST_F(LevelStart, ReplayGivesBackFourLivesAndAFreshScore) {
  startLevel(1);
  Level.lives = 1;
  Play.levelScore = 777;
  Play.resultsShown = Play.inputBlocked = 1;
  // The last life's burst is still spraying when the player replays.
  ParticleEmitter& burst = *findEmitter(LastLifeEmitter);
  burst.position = D3DXVECTOR3(Level.beeX, 18, Level.beeY);
  burst.start();
  frames(5);
  ASSERT_TRUE(burst.emitting);
  replayLevel();
  EXPECT_FALSE(burst.emitting);
  for (const SceneParticle& particle : burst.particles) EXPECT_FALSE(particle.alive);
  EXPECT_EQ(Level.lives, 4);
  EXPECT_EQ(Play.levelScore, 0);
  EXPECT_EQ(Play.levelNumber, 2);
  EXPECT_FALSE(Play.resultsShown);
  EXPECT_FALSE(Play.inputBlocked);
  EXPECT_FALSE(Level.won || Level.dead);
}
