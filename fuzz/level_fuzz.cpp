// The map and trigger readers on any bytes, and the level they make played
// for a few frames: once as the training (played as stored) and once as a
// level whose content is generated for the stored shape. The input is the
// map file followed by its trigger file; the header's cell count says where
// the map ends (an input too short for that is the map alone).
#include <cstring>

#include "app/camera.h"
#include "app/engine.h"
#include "app/modes.h"
#include "app/mouse.h"
#include "fuzz_support.h"
#include "game/bee.h"
#include "game/board.h"
#include "game/draw_game.h"
#include "game/level_files.h"
#include "game/play_state.h"
#include "game/start_level.h"
#include "game/training.h"
#include "game/update_game.h"
#include "platform/random.h"
#include "platform/time.h"
#include "profile/profiles.h"
#include "render/particles.h"
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
  clearMarkers();
  briefingCount = 0;
  Play = PlayState{};
  Play.lastFrameTime = TestClockNow;
  CurrentCamera->animation = CameraFrozen;
  Mouse.leftPrevious = Mouse.leftCurrent = ButtonUp;
  Mouse.rightPrevious = Mouse.rightCurrent = ButtonUp;
}

// The pointer sweeps the screen; left and right clicks alternate.
void PlayFrames(int count) {
  for (int frame = 0; frame < count; ++frame) {
    Mouse.mouseX = 80.0f + 53.0f * (frame % 12);
    Mouse.mouseY = 60.0f + 41.0f * (frame % 11);
    const bool right = frame % 5 == 4;
    Mouse.leftPrevious = !right && frame % 2 == 0 ? ButtonHeld : ButtonUp;
    Mouse.rightPrevious = right ? ButtonHeld : ButtonUp;
    Mouse.leftCurrent = Mouse.rightCurrent = ButtonUp;
    TestClockNow += 16;
    updateGame();
    AdvanceCameras();
    UpdateWidgetList();
    updateParticleEffects();
    // Drawing a whole board costs a thousand recorded draws: now and then.
    if (frame % 8 == 7) {
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
  FramesPerSecond = 60;
  CreateCamera("default");
  SelectCamera("default");
  CurrentCamera->animated = 1;
  createParticleEmitters();
  RegisterMode("menu", nullptr, nullptr);
  RegisterMode("game", nullptr, nullptr);
  for (ConfigNode& profile : ProfileSlots) profile = FreshProfile();
  CurrentProfile = 0;
  Mouse.clientWidth = 800;
  Mouse.clientHeight = 600;
  LevelList = {"fuzz.map", "fuzz.map"};
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteLevelFiles(data, size);
  for (int level : {TrainingLevelIndex, 1}) {
    ResetRound();
    startLevel(level);
    PlayFrames(24);
  }
  fuzz::UseRecordingDevice()->ClearLog();
  return 0;
}
