#pragma once
// The messages waiting for the game's message loop: the window's own events
// and the tests' injected ones, queued from any thread.
#include <cstdint>

#include "platform/window.h"

void QueueMessage(HWND window, uint32_t message, uintptr_t wParam);
bool TakeQueuedMessage(MSG* message);
void ClearQueuedMessages();
