#include "screens/update_game.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/camera.h"
#include "core/engine_state.h"
#include "core/mouse.h"
#include "game/bee.h"
#include "game/bee_flight.h"
#include "game/board.h"
#include "game/board_point.h"
#include "game/briefing_flights.h"
#include "game/cell_appearance.h"
#include "game/cell_rules.h"
#include "game/play_state.h"
#include "game/scoring.h"
#include "game/training.h"
#include "platform/time.h"
#include "profile/profiles.h"
#include "render/particles.h"
#include "render/scene_emitters.h"
#include "screens/briefings.h"
#include "screens/play_screen.h"
#include "screens/results_screen.h"
#include "screens/start_level.h"
#include "sound/game_sounds.h"
#include "ui/widget_list.h"

namespace {
constexpr float StepPerMillisecond = 7.0f;
constexpr float TumbleLength = 10.0f;
constexpr float BurstHeight = 19.0f;
constexpr int32_t DebugKeyPoints = 40000;
constexpr float SkyTurnPerFrame = 0.01f;  // degrees

// The total over all levels: this attempt's score and the recorded scores
// of every other level.
int32_t totalOverLevels() {
  const ConfigNode& profile = CurrentProfileNode();
  int64_t total = Play.levelScore;
  for (int level = 1; level <= ProfileLevels; ++level)
    if (level != Play.levelNumber) total += profile.Get(NumberedKey("score", level)).AsInt();
  return static_cast<int32_t>(
      std::clamp<int64_t>(total, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void countResults() {
  Play.totalScore = totalOverLevels();
  FindLabel("nlevel").text = scoreText(Play.displayedScore);
  FindLabel("ntotal").text = scoreText(Play.displayedTotal);
  Play.displayedScore = stepTowards(Play.displayedScore, Play.levelScore);
  Play.displayedTotal = stepTowards(Play.displayedTotal, Play.totalScore);
}

void spinItems() {
  if (FrameRate.FramesPerSecond == 0) return;
  Play.spinAngle += PerFrame(50.0f);
  if (Play.spinAngle > 360) Play.spinAngle -= 360;
}

void leftClick() {
  clickAt(Level, Play.boardPointX, Play.boardPointY);
  if (!canEnter(Level, cellAt(Level, Play.boardPointX, Play.boardPointY))) PlayEffect(GameSound::WrongWay);
}

void rightClick() {
  scoreFlagToggle(cellAt(Level, Play.boardPointX, Play.boardPointY));
  toggleFlagAt(Level, Play.boardPointX, Play.boardPointY);
}

void flyBee(uint32_t now) {
  const uint32_t elapsed = now - Play.lastFrameTime;
  TheBee.heading = D3DXToDegree(Level.beeHeading);
  const int cellUnderBee = moveBee(Level, static_cast<float>(elapsed) * StepPerMillisecond);
  if (cellUnderBee >= 0) handleTrigger(cellUnderBee);
  followBee();
}

void endTumble() {
  if (!(TheBee.hitTimer > TumbleLength)) return;
  TheBee.hitTimer = 0;
  if (Level.dead) {
    showLoseScreen();
    PlayEffect(GameSound::Lose);
  } else {
    TheBee.recover();
  }
}

// Enter wins and Backspace loses at once, with 40000 points either way.
// The developer's keys (Options.debugKeys): Enter wins the round and Backspace
// loses it, with 40000 points either way.
void debugKeys() {
  if (!Options.debugKeys) return;
  const uint8_t key = Messages.LastKeyUp;
  if (key != VK_RETURN && key != VK_BACK) return;
  Messages.LastKeyUp = 0;
  Play.levelScore += DebugKeyPoints;
  if (key == VK_RETURN)
    showWinScreen();
  else
    showLoseScreen();
}

// A burst of particles over the bee's cell.
void burstOverBee(int emitterId) {
  ParticleEmitter* emitter = findEmitter(emitterId);
  if (!emitter) return;
  const int cell = Level.currentCell;
  if (cellExists(Level, cell))
    emitter->position = D3DXVECTOR3(Level.cells[cell].x, BurstHeight, Level.cells[cell].y);
  else
    emitter->position = D3DXVECTOR3(Level.beeX, BurstHeight, Level.beeY);
  emitter->start();
}

void bombExploded() {
  Level.bombEvent = 0;
  PlayEffect(GameSound::Death);
  TheBee.hit();
  scoreBomb();
  burstOverBee(LastLifeEmitter - Level.lives);
}

void flowerTaken() {
  Level.flowerEvent = 0;
  PlayEffect(GameSound::FlowerPickup);
  const int k = scoreFlower();
  burstOverBee(k - 1);
}

void levelWon() {
  if (Play.trainingLevel) {
    showTrainingFinish();
    ConfigValue& training = CurrentProfileNode().Get("training");
    if (training.AsInt() == 0) training.SetInt(1);
    Play.resultsShown = 1;
    Play.inputBlocked = 1;
  } else {
    showWinScreen();
    PlayEffect(GameSound::Victory);
  }
}

// With the developer's keys, Left and Right slow the game down or speed it up again by a millisecond's
// sleep a frame.
void adjustFrameSleep() {
  const uint8_t key = Options.debugKeys ? Messages.LastKeyUp.load() : 0;
  if (key == VK_LEFT) {
    Messages.LastKeyUp = 0;
    if (Play.frameSleep > 0) --Play.frameSleep;
  } else if (key == VK_RIGHT) {
    Messages.LastKeyUp = 0;
    ++Play.frameSleep;
  }
  if (Play.frameSleep > 0) Sleep(static_cast<uint32_t>(Play.frameSleep));
}

// The cell under the pointer shows its number in the display and sounds
// once when the pointer comes to it.
void showPointerCell(int index) {
  if (!cellExists(Level, index)) return;
  const std::string number = cellNumberTexture(Level.cells[index]);
  FindImage("num").texture = number.empty() ? "m_empty_up" : number;
  if (index != Play.lastHoveredCell) {
    Play.lastHoveredCell = index;
    PlayEffectNoRestart(GameSound::CellHover);
  }
}

std::string digit(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%1d", value);
  return text;
}

// Everything the frame's picture and display show that is not the round's
// rules: it runs every frame, whatever stopped the rules.
void prepareRoundFrame() {
  adjustFrameSleep();
  Play.skyAngle += SkyTurnPerFrame;
  if (Cameras.CurrentCamera) {
    const CameraPose pose = PoseOf(*Cameras.CurrentCamera);
    Play.cameraStill = pose == Play.cameraPose;
    Play.cameraPose = pose;
  }
  showPointerCell(cellAt(Level, Play.boardPointX, Play.boardPointY));
  hopMarkers(Training.MarkerList);
  FindWidget("useEye").visible = Level.binoculars >= 1;
  FindLabel("molot_count").text = digit(Level.hammers);
  FindLabel("binokl_count").text = digit(Level.binoculars);
  sortEmittersFarToNear();
  FindLabel("lbckore").text = scoreText(Play.displayedScore);
  Play.displayedScore = stepTowards(Play.displayedScore, Play.levelScore);
}

void pickUp() {
  const int cell = Level.currentCell;
  if (cellExists(Level, cell) && cell < static_cast<int>(Level.cellItems.size())) {
    const int item = Level.cellItems[cell];
    if (item == ItemBinoculars || item == ItemHammer) PlayEffect(GameSound::BonusPickup);
  }
  pickUpItems(Level);
}
}  // namespace

void followBee() {
  Camera* camera = Cameras.CurrentCamera;
  if (!camera) return;
  const float back = std::cos(D3DXToRadian(6 + CameraFollowElevation)) * CameraFollowDistance;
  const float up = CameraFollowDistance * std::sin(D3DXToRadian(CameraFollowElevation));
  OrientCamera(camera, D3DXVECTOR3(Level.beeX - back, up, Level.beeY), CameraFollowElevation, 90, 0);
  camera->position.y += 10.0f;
}

namespace {
// The round's rules, in their order; frozen play, a camera flight and a
// finished round stop them early.
void playRound() {
  updateParticleEffects();
  if (Play.resultsShown) countResults();
  const uint32_t now = timeGetTime();
  TheBee.update();
  spinItems();
  // Frozen play and camera flights keep the clock current, so that the bee
  // does not leap when play resumes.
  if (Play.modalState == ModalOpen || cameraFlightRunning()) {
    Play.lastFrameTime = now;
    return;
  }
  if (Play.inputBlocked) return;

  boardPointAt(PointerX(), PointerY(), &Play.boardPointX, &Play.boardPointY);
  if (LeftClicked()) leftClick();
  if (RightClicked()) rightClick();
  if (TheBee.state != BeeHit) flyBee(now);
  endTumble();
  debugKeys();
  if (Level.bombEvent) bombExploded();
  if (Level.flowerEvent) flowerTaken();
  if (Level.won) levelWon();
  pickUp();
  if (Play.modalState == ModalOpening) Play.modalState = ModalOpen;
  Play.lastFrameTime = now;
}
}  // namespace

void updateGame() {
  playRound();
  prepareRoundFrame();
}
