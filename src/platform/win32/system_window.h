#pragma once
// For the Windows backends only, in plain types: the system's window behind
// an HWND of the game, and the system calls whose names the game's own
// declarations take.
#include "platform/window.h"

// The system HWND, as void* so that this header needs no <windows.h>.
void* SystemWindowOf(HWND window);

short SystemAsyncKeyState(int virtualKey);
