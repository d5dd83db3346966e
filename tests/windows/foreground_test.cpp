// The game's window among the system's: the mouse buttons are the game's
// only while its window is the foreground one and the pointer is over its
// client area; minimised, it draws nothing until restored.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/window_visibility.h"

// The game's window functions; platform/window.h cannot meet <windows.h>.
struct PlatformWindow;
PlatformWindow* CreatePlatformWindow(const char* title, int width, int height, bool fullscreen);
void DestroyWindow(PlatformWindow* window);
bool PointerOverActiveWindow(PlatformWindow* window);

TEST(ForegroundWindow, ButtonsAreTheGamesOnlyOverItsClientAreaWhileItIsActive) {
  PlatformWindow* game = CreatePlatformWindow("Kestrin", 320, 240, false);
  ASSERT_NE(game, nullptr);
  HWND system = FindWindowW(L"Kestrin", L"Kestrin");
  ASSERT_NE(system, nullptr);
  SetForegroundWindow(system);
  POINT centre{160, 120};
  ClientToScreen(system, &centre);
  ASSERT_TRUE(SetCursorPos(centre.x, centre.y));
  EXPECT_TRUE(PointerOverActiveWindow(game));

  RECT frame{};
  GetWindowRect(system, &frame);
  SetCursorPos(frame.right + 20, frame.bottom + 20);
  EXPECT_FALSE(PointerOverActiveWindow(game)) << "outside";

  HWND other = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, frame.left, frame.top,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, nullptr,
                               nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  SetCursorPos(centre.x, centre.y);
  EXPECT_FALSE(PointerOverActiveWindow(game)) << "under another window";
  DestroyWindow(other);
  DestroyWindow(game);
}

TEST(ForegroundWindow, MinimisedItIsHiddenFromTheFrameLoopUntilRestored) {
  PlatformWindow* game = CreatePlatformWindow("Kestrin", 320, 240, false);
  ASSERT_NE(game, nullptr);
  HWND system = FindWindowW(L"Kestrin", L"Kestrin");
  ASSERT_NE(system, nullptr);
  EXPECT_FALSE(WindowHidden());
  ShowWindow(system, SW_MINIMIZE);
  EXPECT_TRUE(WindowHidden());
  ShowWindow(system, SW_RESTORE);
  EXPECT_FALSE(WindowHidden());
  DestroyWindow(game);
}
