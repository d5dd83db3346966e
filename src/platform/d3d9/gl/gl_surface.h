#pragma once
// The window's GL context: SDL's OpenGL 3.3 core context on the desktop, the
// canvas's WebGL 2 context in the browser.
#include <functional>

#include "platform/window.h"

namespace d3d9 {

using GlContext = void*;

// Creates the context on the window and makes it current; null when the
// system has no OpenGL 3.3 (or WebGL 2), with the reason on standard error.
GlContext CreateGlContext(HWND window);
void DeleteGlContext(HWND window, GlContext context);
// A null context leaves the thread without one.
bool MakeGlContextCurrent(HWND window, GlContext context);
GlContext CurrentGlContext();
void GetGlDrawableSize(HWND window, int* width, int* height);
void SwapGlWindow(HWND window);
bool HasGlExtension(const char* name);
// Turns the image upside down where GL can (clip control), so that it is
// kept top row first as Direct3D keeps it; false where it cannot.
bool KeepImageTopRowFirst();
// A browser may take the canvas's WebGL context away (its GPU process
// restarted) and give it back empty, every object gone. Desktop GL's
// context is never lost.
enum class GlContextState { Live, Lost, BackEmpty };
GlContextState GlContextStatus();
// The device has made its objects again in the context given back.
void GlContextRefilled();
// Runs `read` with a short-lived context current (the canvas's own in the
// browser); false when no context could be made or `read` failed.
bool ReadWithProbeContext(const std::function<bool()>& read);

}  // namespace d3d9
