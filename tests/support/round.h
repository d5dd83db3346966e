#pragma once
// A round without a window: boards built by hand (shapes, open areas and
// bombs set cell by cell), a test clock, a pointer set from the world point
// it should hit, the game's update frame by frame, and the results screens
// and world map on the layouts the game ships.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/engine.h"
#include "core/graphics_device.h"
#include "core/modes.h"
#include "core/mouse.h"
#include "game/bee.h"
#include "game/board.h"
#include "game/level_files.h"
#include "game/play_state.h"
#include "screens/results_screen.h"
#include "game/training.h"
#include "screens/update_game.h"
#include "screens/world_map.h"
#include "platform/random.h"
#include "core/test_hooks.h"
#include "game/test_hooks.h"
#include "profile/test_hooks.h"
#include "screens/test_hooks.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "profile/profiles.h"
#include "render/particles.h"
#include "screens/briefings.h"
#include "screens/play_screen.h"
#include "support/files.h"
#include "support/player.h"
#include "ui/layout_loader.h"
#include "screens/menu_screens.h"
#include "screens/screen_links.h"
#include "ui/screen_wiring.h"
#include "ui/widget_list.h"


namespace boardtest {

// The start-up board without its random content: every cell closed and
// empty, no bee, arrays and counters reset.
inline void emptyBoard(float width = StartBoardWidth, float height = StartBoardHeight) {
  static_cast<HexBoard&>(Level) = HexBoard{};
  layoutBoard(Level, 0, 0, width, height, 1.0f);
  allocateRoad(Level);
  Level.cellMarks.assign(Level.cellCount, NoMark);
  Level.cellItems.assign(Level.cellCount, ItemNone);
  Level.triggers.assign(Level.cellCount, TriggerRecord{0, 0, 0, 0, -1, 0});
  Level.currentCell = -1;
  Level.lives = 4;
  Level.binoculars = Level.hammers = Level.difficulty = 0;
  Play = PlayState{};
}

inline int cellIndex(int row, int column) { return rowStart(Level, row) + column; }

inline HexCell& cell(int index) { return Level.cells[index]; }
// A click on the board over the cell's centre.
inline void clickCell(int index) { clickAt(Level, cell(index).x, cell(index).y); }

inline void makeHoles(std::initializer_list<int> cells) {
  for (int i : cells) Level.cells[i].content = CellHole;
}

inline void openCells(std::initializer_list<int> cells) {
  for (int i : cells) Level.cells[i].open = 1;
}

inline void putBombs(std::initializer_list<int> cells) {
  for (int i : cells) Level.cells[i].content = CellBomb;
  computeNumbers(Level);
}

// Puts the bee on an open cell.
inline void startOn(int index) {
  Level.currentCell = index;
  Level.cells[index].open = 1;
  Level.beeX = Level.cells[index].x;
  Level.beeY = Level.cells[index].y;
}

inline int bombNeighbours(int index) {
  int bombs = 0;
  for (int direction : Directions) {
    const int n = neighbour(Level, index, direction);
    if (n >= 0 && Level.cells[n].content == CellBomb) ++bombs;
  }
  return bombs;
}

inline int countCells(bool (*test)(const HexCell&)) {
  int count = 0;
  for (int i = 0; i < Level.cellCount; ++i)
    if (test(Level.cells[i])) ++count;
  return count;
}

}  // namespace boardtest


namespace playtest {

constexpr uint32_t FrameMs = 16;

using player::centreOf;
using player::pointerFor;

// Puts the pointer of an 800 x 600 client area over `world`.
inline void pointAt(const D3DXVECTOR3& world) {
  float px = 0, py = 0;
  pointerFor(world, &px, &py);
  Mouse.clientWidth = 800;
  Mouse.clientHeight = 600;
  Mouse.mouseX = px * 400 + 0.5f;
  Mouse.mouseY = py * 400 + 0.5f;
}

inline void leftClickOn(int cell) {
  pointAt(centreOf(cell));
  Mouse.leftPrevious = ButtonHeld;
  Mouse.leftCurrent = ButtonUp;
}

inline void rightClickOn(int cell) {
  pointAt(centreOf(cell));
  Mouse.rightPrevious = ButtonHeld;
  Mouse.rightCurrent = ButtonUp;
}

// The current Level as the bytes of a map file.
inline std::string mapBytes() {
  std::string bytes;
  const HexBoard& header = Level;
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(Level.cells.data()), sizeof(HexCell) * Level.cellCount);
  bytes.append(reinterpret_cast<const char*>(Level.cellMarks.data()), 4 * Level.cellCount);
  bytes.append(reinterpret_cast<const char*>(Level.cellItems.data()), 4 * Level.cellCount);
  return bytes;
}

// A one-node model of small flat triangles at height 0, one round each
// (x, z) in the list's order.
inline std::string groundModel(const char* name, const std::vector<std::pair<float, float>>& spots) {
  std::string positions, normals, triangles, coordinates;
  const auto point = [](float x, float z) { return std::to_string(x) + " 0 " + std::to_string(z) + "\n"; };
  for (size_t i = 0; i < spots.size(); ++i) {
    const auto [x, z] = spots[i];
    positions += point(x - 0.1f, z) + point(x + 0.1f, z) + point(x, z + 0.1f);
    normals += "0 1 0\n0 1 0\n0 1 0\n";
    triangles += std::to_string(3 * i) + " " + std::to_string(3 * i + 1) + " " + std::to_string(3 * i + 2) + "\n";
    coordinates += "0 1 2\n";
  }
  return std::string(name) + "\n1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\n" + std::to_string(3 * spots.size()) + "\n" +
         positions + normals + std::to_string(spots.size()) + "\n" + triangles + "t.png\n3\n0 0 0\n1 0 0\n0 1 0\n" +
         coordinates + "0\n";
}

// A scene object of the model and texture, scale 1, standing at (x, 16.9, 0).
inline SceneObject sceneObject(const char* mesh, const char* texture, float x = 0) {
  SceneObject object{};
  std::strncpy(object.meshName, mesh, sizeof object.meshName - 1);
  std::strncpy(object.textureName, texture, sizeof object.textureName - 1);
  object.scale = 1;
  object.position[0] = x;
  object.position[1] = 16.9f;
  return object;
}

// A scenery file: the count it claims, then the objects.
inline std::string sceneBytes(const std::vector<SceneObject>& objects, uint32_t count) {
  return std::string(reinterpret_cast<const char*>(&count), 4) +
         std::string(reinterpret_cast<const char*>(objects.data()), sizeof(SceneObject) * objects.size());
}

inline std::string triggerBytes() {
  return std::string(reinterpret_cast<const char*>(Level.triggers.data()), sizeof(TriggerRecord) * Level.cellCount);
}

inline void ensureGameModes() {
  if (!FindMode("menu")) RegisterMode("menu", nullptr, nullptr);
  if (!FindMode("game")) RegisterMode("game", nullptr, nullptr);
}

class PlayTest : public testing::Test {
 protected:
  void SetUp() override {
    SetClockSource(TestClock);
    SetTestClock(100000);
    FrameRate.FramesPerSecond = 60;
    Device = nullptr;
    createLevel();
    crtSrand(7);
    boardtest::emptyBoard();
    ResetGameForTests();
    ClearWidgets();
    ClearCameras();
    CreateCamera("default");
    SelectCamera("default");
    Cameras.CurrentCamera->animated = 1;
    Cameras.CurrentCamera->animation = CameraFrozen;
    releaseParticleEmitters();
    createParticleEmitters();
    ResetCoreForTests();
    ResetProfilesForTests();
    for (ConfigNode& profile : Profiles.ProfileSlots) profile = FreshProfile();
    ensureGameModes();
    Play.lastFrameTime = TestClock();
  }

  void TearDown() override {
    ClearWidgets();
    ClearCameras();
    releaseParticleEmitters();
    SetClockSource(nullptr);
  }

  // The bee on an open cell with the camera over it, as after a frame of play.
  void beeOn(int cell) {
    boardtest::startOn(cell);
    followBee();
  }

  // One frame: the clock moves on, the round updates, the camera advances;
  // a click lasts one frame.
  void frame(uint32_t ms = FrameMs) {
    AdvanceTestClock(ms);
    updateGame();
    AdvanceCameras();
    Mouse.leftPrevious = Mouse.leftCurrent = ButtonUp;
    Mouse.rightPrevious = Mouse.rightCurrent = ButtonUp;
  }

  // Frames until `done` holds or `limit` frames have passed; the frames run.
  int framesUntil(const std::function<bool()>& done, int limit = 2000) {
    int frames = 0;
    while (!done() && frames < limit) {
      frame();
      ++frames;
    }
    return frames;
  }

  // Flies the bee to a cell and waits until it has settled there.
  void flyTo(int cell) {
    leftClickOn(cell);
    frame();
    framesUntil([] { return Level.roadLeft <= 1; });
    frames(120);
  }

  void frames(int count) {
    for (int i = 0; i < count; ++i) frame();
  }

  void writeFile(const std::string& path, const std::string& text) { folder.Write(path, text); }

  // A layout with one button of each name.
  void writeLayout(const std::string& name, std::initializer_list<const char*> buttons) {
    std::string text;
    for (const char* button : buttons)
      text += std::string("button {\n  name ") + button + "\n  x 0.1\n  y 0.1\n  width 0.2\n  height 0.1\n}\n";
    writeFile("data/" + name + ".s", text);
  }

  testfiles::WorkingFolder folder;
};

}  // namespace playtest

namespace screentest {

class ScreensTest : public playtest::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    testfiles::CopySourceContent("data");
    std::filesystem::create_directories("bin");
    ResetScreensForTests();
    profile().Get("empty").SetInt(0);
    SetModeActive("menu", 0);
    SetModeActive("game", 1);
  }

  void TearDown() override {
    ResetScreensForTests();
    PlayTest::TearDown();
  }

  static ConfigNode& profile() { return CurrentProfileNode(); }
  static void setOpened(int n) { profile().Get("opened_maps").SetInt(n); }

  // Not drawn now and never again without being faded in anew.
  static bool gone(Widget& widget) { return !widget.visible && widget.timer.Progress() > 0.999f; }
  // Shown, or on its way in.
  static bool shown(const Widget& widget) { return widget.visible && !widget.fadeOut; }
};

}  // namespace screentest
