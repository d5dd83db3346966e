// The map and trigger readers on any bytes, and the level they make played
// for a few frames with clicks on the cells around the bee: once as the
// training (played as stored) and once as a level whose content is generated
// for the stored shape. The input is the map file followed by its trigger
// file; the header's cell count says where the map ends (an input too short
// for that is the map alone).
#include <cstring>

#include "app/engine.h"
#include "core/camera.h"
#include "core/modes.h"
#include "core/mouse.h"
#include "fuzz_support.h"
#include "game/bee.h"
#include "game/board.h"
#include "game/draw_game.h"
#include "game/level_files.h"
#include "game/play_state.h"
#include "game/training.h"
#include "platform/random.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "profile/profiles.h"
#include "render/particles.h"
#include "screens/play_screen.h"
#include "screens/start_level.h"
#include "screens/update_game.h"
#include "support/player.h"
#include "ui/widget_list.h"

namespace {

size_t MapPart(const uint8_t* data, size_t size) {
  if (size < MapHeaderSize) return size;
  int32_t cells;
  std::memcpy(&cells, data + offsetof(HexBoard, cellCount), sizeof cells);
  if (cells < 1 || cells > StartBoardCells) return size;
  size_t mapBytes = MapHeaderSize + MapBytesPerCell * static_cast<size_t>(cells);
  return mapBytes <= size ? mapBytes : size;
}

void WriteLevelFiles(const uint8_t* data, size_t size) {
  const size_t map = MapPart(data, size);
  fuzz::WriteBytes("maps/fuzz.map", data, map);
  if (map < size)
    fuzz::WriteBytes("maps/fuzz.map.trg", data + map, size - map);
  else
    fuzz::RemoveFile("maps/fuzz.map.trg");
}

void ResetRound() {
  ClearWidgets();
  createLevel();
  crtSrand(7);
  TheBee = Bee{};
  Training = TrainingState{};
  Play = PlayState{};
  Play.lastFrameTime = TestClock();
  Cameras.CurrentCamera->animation = CameraFrozen;
  Mouse.leftPrevious = Mouse.leftCurrent = ButtonUp;
  Mouse.rightPrevious = Mouse.rightCurrent = ButtonUp;
}

// The pointer over a point of the world, found as the play tests find it; it
// is set also where that lies off the screen.
void PointAt(const D3DXVECTOR3& world) {
  float x = 0, y = 0;
  player::pointerFor(world, &x, &y);
  Mouse.mouseX = 400.0f * x;
  Mouse.mouseY = 400.0f * y;
}

// A cell next to the bee's when there is one, else one picked across the board.
int CellToClick(int click) {
  for (int turn = 0; turn < 6; ++turn) {
    const int next = neighbour(Level, Level.currentCell, Directions[(click + turn) % 6]);
    if (next >= 0) return next;
  }
  return Level.cellCount > 0 ? (click * 131) % Level.cellCount : -1;
}

// Every sixteenth frame a click on a cell, now and then a right click; a
// briefing that comes up is closed as its button would.
void PlayFrames(int count) {
  for (int frame = 0; frame < count; ++frame) {
    if (Play.modalState == ModalOpen) showPlayScreen();
    Mouse.leftPrevious = Mouse.rightPrevious = ButtonUp;
    Mouse.leftCurrent = Mouse.rightCurrent = ButtonUp;
    if (frame % 16 == 0) {
      const int click = frame / 16;
      const int cell = CellToClick(click);
      if (cellExists(Level, cell)) PointAt(player::centreOf(cell));
      (click % 3 == 2 ? Mouse.rightPrevious : Mouse.leftPrevious) = ButtonHeld;
    }
    AdvanceTestClock(16);
    updateGame();
    AdvanceCameras();
    UpdateWidgetList();
    // Drawing a whole board costs a thousand recorded draws: now and then.
    if (frame % 16 == 15) {
      drawGame();
      DrawWidgetList();
      fuzz::UseRecordingDevice()->ClearLog();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterScratchFolder();
  fuzz::UseRecordingDevice();
  FrameRate.FramesPerSecond = 60;
  CreateCamera("default");
  SelectCamera("default");
  Cameras.CurrentCamera->animated = 1;
  createParticleEmitters();
  RegisterMode("menu", nullptr, nullptr);
  RegisterMode("game", nullptr, nullptr);
  for (ConfigNode& profile : Profiles.ProfileSlots) profile = FreshProfile();
  Profiles.CurrentProfile = 0;
  Mouse.clientWidth = 800;
  Mouse.clientHeight = 600;
  Levels.LevelList = {"fuzz.map", "fuzz.map"};
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteLevelFiles(data, size);
  for (int level : {TrainingLevelIndex, 1}) {
    ResetRound();
    startLevel(level);
    PlayFrames(80);
  }
  fuzz::UseRecordingDevice()->ClearLog();
  return 0;
}
