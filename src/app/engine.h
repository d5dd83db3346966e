#pragma once
// Start-up, the render thread's frame, and shutdown.
#include <cstdint>
#include <thread>

#include "core/engine_state.h"

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
