#pragma once
// Start-up, the frame loop, and shutdown.
#include <cstdint>

#include "core/engine_state.h"

// Started by EngineStart and not yet joined by EngineShutdown.
bool RenderThreadRunning();

// Loads everything and runs the game: frames on the render thread, window
// messages on this one, until the game ends.
void EngineStart(HWND host = nullptr);
// Everything before the first frame: settings, window, device, content.
void EngineLoad(HWND host = nullptr);
bool CreateMainWindow();
void WindowProc(HWND window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// What the window procedure does with a message the journal let through.
void DeliverMessage(uint32_t message, uintptr_t wParam);
void PumpMessages();
void FrameLoop();
// One frame of the running game, as the render thread's loop and the
// browser's animation frames both run it; false when a lost device drew
// nothing.
bool RunFrame();
void RenderOneFrame();
void UpdateFps();
void EngineShutdown();
