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

// The only values shared between the main thread and the render thread.
extern std::atomic<int32_t> QuitRequested;
extern TypedCharacterQueue TypedCharacters;
extern std::atomic<uint8_t> LastKeyUp;
extern std::atomic<uint8_t> LastKeyDown;

extern HWND MainWindow;
extern HWND HostWindow;
extern float AspectRatio;
// Window frame metrics: zero here, the platform reports client coordinates.
extern int FrameWidth, FrameHeight, CaptionHeight;

// Only the low bytes are used.
struct ClearColorRGB {
  int32_t red, green, blue;
};
extern ClearColorRGB ClearColor;

extern char FpsText[16];
extern uint32_t FramesPerSecond;
// A rate per second as the step of one frame at the measured frame rate; 0
// while the rate is not known yet, so that nothing jumps.
float PerFrame(float perSecond);
extern int FrameCount;
extern uint32_t LastTick;
extern uint32_t SampleTick;

// Sets QuitRequested from any thread and wakes the message loop at once.
void RequestQuit();
