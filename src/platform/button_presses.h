#pragma once
// A press of each mouse button since the button was last read, so that a
// click that starts and ends between two polls still counts, as
// GetAsyncKeyState reports it.
#include <cstdint>

#include "platform/window.h"

void RememberPress(int virtualKey);
// True once for each remembered press of the button.
bool TakePress(int virtualKey);

// GetAsyncKeyState's word for a mouse button: bit 15 while held, bit 0 once
// for a press since the last read.
int16_t ButtonKeyState(int virtualKey, bool held);

// The tests' injected mouse, for both window backends: whether it holds the
// button, and its pointer over the client area at `frame` (false when the
// real pointer applies).
bool InjectedButtonHeld(int virtualKey);
bool InjectedCursorPos(const RECT& frame, float* x, float* y);
