#pragma once
// Start-up, the render thread's frame, and shutdown.
#include <atomic>
#include <cstdint>
#include <thread>

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

extern std::thread RenderThreadHandle;

void EngineStart(HWND host = nullptr);
bool CreateMainWindow();
void WindowProc(HWND window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// What the window procedure does with a message the journal let through.
void DeliverMessage(uint32_t message, uintptr_t wParam);
void PumpMessages();
void FrameLoop();
void RenderOneFrame();
void UpdateFps();
void EngineShutdown();

// Sets QuitRequested from any thread and wakes the message loop at once.
void RequestQuit();

// Test hook: called on the render thread after every frame of FrameLoop.
using FrameObserver = void (*)();
extern FrameObserver AfterFrameHook;
