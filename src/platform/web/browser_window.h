#pragma once
// The browser's side of the window: messages are taken without waiting, since
// the page's script runs the game one animation frame at a time.
#include "platform/window.h"

// The next waiting message; false when none is waiting.
bool PeekMessageA(MSG* message);
