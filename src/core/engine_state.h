#pragma once
// The engine's globals that every layer reads: the values shared between the
// main thread and the render thread, the main window and the frame rate.
#include <array>
#include <atomic>
#include <cstdint>

#include "platform/window.h"

// Typed characters (code page 1251, control characters included) on their
// way from the window procedure to the name field, in the order typed: a fast
// typist or a paste brings several within one frame. One writer (the thread
// that delivers window messages), one reader (the render thread); a full
// queue drops the newest.
struct TypedCharacterQueue {
  static constexpr uint32_t kCapacity = 64;
  std::array<uint8_t, kCapacity> codes{};
  std::atomic<uint32_t> written{0}, taken{0};

  // Writer: false when the queue is full and the character is dropped.
  bool push(uint8_t code);
  // Reader: the oldest character, or 0 when none waits.
  uint8_t pop();
  // Reader: forgets every waiting character.
  void clear();
};

// What the window's messages leave for the render thread: the only values
// shared between the main thread and the render thread.
struct WindowMessageState {
  std::atomic<int32_t> QuitRequested{0};
  TypedCharacterQueue TypedCharacters;
  std::atomic<uint8_t> LastKeyUp{0};
  std::atomic<uint8_t> LastKeyDown{0};
};
extern WindowMessageState Messages;

// Only the low bytes are used.
struct ClearColorRGB {
  int32_t red, green, blue;
};

struct GameWindowState {
  HWND MainWindow = nullptr;
  HWND HostWindow = nullptr;
  float AspectRatio = 0.75f;
  // Window frame metrics: zero here, the platform reports client coordinates.
  int FrameWidth = 0, FrameHeight = 0, CaptionHeight = 0;
  ClearColorRGB ClearColor{0, 0, 0};
};
extern GameWindowState Window;

// The measured frame rate, sampled once a second.
struct FrameRateState {
  char FpsText[16] = "fps=0";
  uint32_t FramesPerSecond = 0;
  int FrameCount = 0;
  uint32_t LastTick = 0;
  uint32_t SampleTick = 0;
};
extern FrameRateState FrameRate;

// A rate per second as the step of one frame at the measured frame rate; 0
// while the rate is not known yet, so that nothing jumps.
float PerFrame(float perSecond);

// Sets Messages.QuitRequested from any thread and wakes the message loop at once.
void RequestQuit();
