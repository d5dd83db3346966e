#pragma once
// The engine's globals that every layer reads: the values shared between the
// main thread and the render thread, the main window and the frame rate.
#include <atomic>
#include <cstdint>

#include "platform/window.h"

// The only values shared between the main thread and the render thread.
extern std::atomic<int32_t> QuitRequested;
extern std::atomic<uint8_t> LastCharCode;
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
extern int FrameCount;
extern uint32_t LastTick;
extern uint32_t SampleTick;

// Sets QuitRequested from any thread and wakes the message loop at once.
void RequestQuit();
