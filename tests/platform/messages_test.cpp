#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "platform/test_hooks.h"
#include "platform/window.h"
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include <SDL.h>

#include "platform/sdl/window_internal.h"
#endif

namespace {
std::vector<MSG> DrainAfterInjecting() {
  std::vector<MSG> messages;
  MSG message;
  // Injected messages are queued ahead of the platform's events, so the
  // queue drains without a window; a final close marks the end.
  InjectClose();
  while (GetMessageA(&message)) {
    messages.push_back(message);
    if (message.message == WM_CLOSE) break;
  }
  return messages;
}
}  // namespace

TEST(MessagesTest, EnterBackspaceAndEscapeAlsoArriveAsCharacters) {
  InjectKeyDown(VK_RETURN);
  InjectKeyUp(VK_RETURN);
  InjectKeyDown(VK_BACK);
  InjectKeyDown(VK_ESCAPE);
  InjectKeyDown('A');
  std::vector<std::pair<uint32_t, uintptr_t>> arrived;
  for (const MSG& message : DrainAfterInjecting()) arrived.emplace_back(message.message, message.wParam);
  const std::vector<std::pair<uint32_t, uintptr_t>> expected = {
      {WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13}, {WM_KEYUP, VK_RETURN}, {WM_KEYDOWN, VK_BACK}, {WM_CHAR, 8},
      {WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, 27}, {WM_KEYDOWN, 'A'},     {WM_CLOSE, 0}};
  EXPECT_EQ(arrived, expected);
}

TEST(MessagesTest, TypedTextArrivesInTheCodePageTheFontsDraw) {
  const struct {
    const char* typed;
    std::string bytes;
  } cases[] = {
      {"Bee 42!", "Bee 42!"},
      {"Иван", "\xC8\xE2\xE0\xED"},
      {"ёЁ№€я", "\xB8\xA8\xB9\x88\xFF"},
      {"café", "caf"},  // letters the fonts lack are left out
      {"a😀\tb", "ab"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToCp1251(c.typed), c.bytes) << c.typed;
}


#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// SDL reports only its own window's buttons: a press sent for another window
// is none of the game's.
TEST(MessagesTest, OnlyTheGameWindowsOwnButtonPressesCount) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  HWND window = CreatePlatformWindow("Kestrin", 64, 48, false);
  ASSERT_NE(window, nullptr);
  for (bool ours : {false, true}) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.windowID = SDL_GetWindowID(SdlWindowOf(window)) + (ours ? 0 : 1);
    SDL_PushEvent(&event);
    PostWakeMessage();
    for (MSG message{}; GetMessageA(&message) && message.message != WM_QUITWAKE;) continue;
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON) & 1, ours ? 1 : 0) << ours;
  }
  DestroyWindow(window);
}
#endif
