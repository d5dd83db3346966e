#pragma once
// For platform code only: the SDL window behind an HWND.
#include <SDL.h>

#include "platform/window.h"

SDL_Window* SdlWindowOf(HWND window);

// True where a message box could be shown and answered by a person; false on
// the offscreen and dummy drivers, where it would fail or block a test.
bool HasInteractiveDisplay();
