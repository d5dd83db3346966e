#pragma once
// A round run frame by frame without a window: a test clock, a pointer set
// by hand from the world point it should hit, and the game's update.
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "app/engine.h"
#include "board_test_support.h"
#include "core/camera.h"
#include "core/graphics_device.h"
#include "core/modes.h"
#include "core/mouse.h"
#include "game/bee.h"
#include "game/level_files.h"
#include "game/play_state.h"
#include "game/training.h"
#include "platform/random.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "play/player.h"
#include "profile/profiles.h"
#include "render/particles.h"
#include "screens/briefings.h"
#include "screens/play_screen.h"
#include "screens/update_game.h"
#include "textfile/test_files.h"
#include "ui/widget_list.h"

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
    previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    SetClockSource(TestClock);
    TestClockNow = 100000;
    FramesPerSecond = 60;
    Device = nullptr;
    createLevel();
    crtSrand(7);
    boardtest::emptyBoard();
    ResetGameForTests();
    ClearWidgets();
    ClearCameras();
    CreateCamera("default");
    SelectCamera("default");
    CurrentCamera->animated = 1;
    CurrentCamera->animation = CameraFrozen;
    releaseParticleEmitters();
    createParticleEmitters();
    ResetCoreForTests();
    for (ConfigNode& profile : ProfileSlots) profile = FreshProfile();
    CurrentProfile = 0;
    ensureGameModes();
    Play.lastFrameTime = TestClockNow;
  }

  void TearDown() override {
    ClearWidgets();
    ClearCameras();
    releaseParticleEmitters();
    SetClockSource(nullptr);
    std::filesystem::current_path(previousFolder);
  }

  // The bee on an open cell with the camera over it, as after a frame of play.
  void beeOn(int cell) {
    boardtest::startOn(cell);
    followBee();
  }

  // One frame: the clock moves on, the round updates, the camera advances;
  // a click lasts one frame.
  void frame(uint32_t ms = FrameMs) {
    TestClockNow += ms;
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

  testfiles::TempDir folder;
  std::filesystem::path previousFolder;
};

}  // namespace playtest
