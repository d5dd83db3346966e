#include "screens/start_level.h"

#include <algorithm>
#include <cstdio>

#include "core/camera.h"
#include "core/modes.h"
#include "game/bee.h"
#include "game/board.h"
#include "game/board_generation.h"
#include "game/hidden_scenery.h"
#include "game/level_files.h"
#include "game/play_state.h"
#include "game/training.h"
#include "render/particles.h"
#include "render/scene_emitters.h"
#include "screens/menu_screens.h"
#include "screens/play_screen.h"
#include "screens/results_screen.h"
#include "screens/screen_links.h"
#include "sound/game_sounds.h"

namespace {
const D3DXVECTOR3 MenuBeePlace(12.0f, 30.0f, 4.0f);

void colourEmitters(int levelNumber) {
  for (const SceneEmitter& kind : SceneEmitters) {
    ParticleEmitter* emitter = findEmitter(kind.id);
    if (!emitter) continue;
    const uint8_t* colour = BurstColour(kind, levelNumber);
    std::copy(colour, colour + 4, emitter->colour);
  }
}

// A board left over from an earlier attempt (its map could not be read)
// must not carry that attempt's end into this one.
void clearAttemptEvents() {
  Level.flowersTaken = 0;
  Level.roadLeft = 0;
  Level.won = Level.dead = Level.bombEvent = Level.flowerEvent = 0;
}

void openWorldMap() {
  if (ScreenLinks.showWorldMap) ScreenLinks.showWorldMap(1);
}
}  // namespace

void startLevel(int levelIndex) {
  // A replay from the win screen must not carry its sparkles into the round.
  stopMedalSparkles();
  Training = TrainingState{};
  Play.trainingLevel = levelIndex == TrainingLevelIndex;

  PlayEffect(GameSound::MenuClick);
  if (Cameras.CurrentCamera) Cameras.CurrentCamera->animation = CameraFrozen;
  SetModeActive("menu", 0);
  Menu.MenuPage = PageMainMenu;
  Play.inputBlocked = 0;

  showPlayScreen();
  TheBee.reset();
  loadLevel(levelIndex);
  clearAttemptEvents();
  if (Play.trainingLevel) createMarkers();

  Play.levelNumber = levelIndex + 1;
  char texture[16];
  std::snprintf(texture, sizeof texture, "f_%d", Play.levelNumber);
  Play.flowerTexture = texture;

  Level.difficulty = difficultyForLevel(levelIndex);
  if (!Play.trainingLevel) regenerate(Level);
  findHiddenGround();
  allocateRoad(Level);

  Play.flowerStreak = 0;
  Play.levelScore = 0;
  Play.displayedScore = 0;
  Play.multiplier = 1;
  stopParticleEmitters();
  colourEmitters(Play.levelNumber);
  SetModeActive("game", 1);
  if (Play.trainingLevel) showTrainingStart();
}

void replayLevel() {
  Play.resultsShown = 0;
  Play.inputBlocked = 0;
  startLevel(Play.levelNumber - 1);
}

void finishLevel() {
  ++Play.levelNumber;
  Play.resultsShown = 0;
  WorldMap.mapShown = 1;
  recordResult();
  openWorldMap();
}

void leaveToMap() {
  Play.resultsShown = 0;
  openWorldMap();
}

void placeMenuBee() {
  TheBee.reset();
  TheBee.position = MenuBeePlace;
}

void linkPlayScreens() {
  ScreenLinks.showPlayScreen = showPlayScreen;
  ScreenLinks.replayLevel = replayLevel;
  ScreenLinks.placeMenuBee = placeMenuBee;
}
