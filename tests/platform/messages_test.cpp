#include <gtest/gtest.h>

#include <vector>

#include "platform/window.h"

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
  auto messages = DrainAfterInjecting();
  ASSERT_EQ(messages.size(), 9u);
  EXPECT_EQ(messages[0].message, WM_KEYDOWN);
  EXPECT_EQ(messages[0].wParam, static_cast<uintptr_t>(VK_RETURN));
  EXPECT_EQ(messages[1].message, WM_CHAR);
  EXPECT_EQ(messages[1].wParam, 13u);
  EXPECT_EQ(messages[2].message, WM_KEYUP);
  EXPECT_EQ(messages[3].wParam, static_cast<uintptr_t>(VK_BACK));
  EXPECT_EQ(messages[4].wParam, 8u);
  EXPECT_EQ(messages[6].wParam, 27u);
  EXPECT_EQ(messages[7].message, WM_KEYDOWN);
  EXPECT_EQ(messages[7].wParam, static_cast<uintptr_t>('A'));
  EXPECT_EQ(messages[8].message, WM_CLOSE);
}
