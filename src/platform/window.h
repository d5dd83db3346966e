#pragma once
// The main window and its message queue, in the terms of a Win32 window.
#include <cstdint>
#include <string>

struct PlatformWindow;
using HWND = PlatformWindow*;

constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_QUITWAKE = 0x0400;  // posted to wake the message loop

constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70;
constexpr int VK_F12 = 0x7B;

struct MSG {
  HWND hwnd;
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
};

struct RECT {
  int32_t left, top, right, bottom;
};

// Creates and shows a window whose client area is width x height (full-screen
// when asked). Returns null when no window can be made (no display).
HWND CreatePlatformWindow(const char* title, int width, int height, bool fullscreen);
void DestroyWindow(HWND window);

// Blocks until a message arrives, translated from the platform's events.
// Returns false only when the event queue itself failed.
bool GetMessageA(MSG* message);
// Wakes GetMessageA from another thread (a quit requested by the render thread).
void PostWakeMessage();

bool GetClientRect(HWND window, RECT* rect);
bool GetWindowRect(HWND window, RECT* rect);
// Cursor position in screen coordinates; with zero frame metrics the client
// origin is the window origin.
bool GetCursorPos(HWND window, float* x, float* y);
// The top bit while the button is down; the lowest bit when it was pressed
// since the previous call. Buttons are the whole desktop's on Windows.
int16_t GetAsyncKeyState(int virtualKey);
// Whether the pointer is over the client area of `window` while
// it is the active window: only then are the buttons the game's. SDL only
// ever reports its own window's buttons.
bool PointerOverActiveWindow(HWND window);

// Fatal error: visible message box where a display exists; the text always
// also goes to standard error.
void MessageBoxA(const char* text, const char* caption);

