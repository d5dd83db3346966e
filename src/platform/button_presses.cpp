#include "platform/button_presses.h"

#include <atomic>

#include "platform/test_hooks.h"
#include "platform/window.h"

namespace {
std::atomic<bool> leftPressed{false}, rightPressed{false};

std::atomic<bool>* PressMemory(int virtualKey) {
  if (virtualKey == VK_LBUTTON) return &leftPressed;
  if (virtualKey == VK_RBUTTON) return &rightPressed;
  return nullptr;
}
}  // namespace

void RememberPress(int virtualKey) {
  if (std::atomic<bool>* pressed = PressMemory(virtualKey)) *pressed = true;
}

bool TakePress(int virtualKey) {
  std::atomic<bool>* pressed = PressMemory(virtualKey);
  return pressed && pressed->exchange(false);
}

void InjectButton(int virtualKey, bool down) {
  if (virtualKey == VK_LBUTTON) TestMouse.left = down;
  if (virtualKey == VK_RBUTTON) TestMouse.right = down;
  if (down) RememberPress(virtualKey);
}

int16_t ButtonKeyState(int virtualKey, bool held) {
  const bool pressedSinceRead = TakePress(virtualKey);
  return static_cast<int16_t>((held ? 0x8000 : 0) | (pressedSinceRead ? 1 : 0));
}

bool InjectedButtonHeld(int virtualKey) {
  return (virtualKey == VK_LBUTTON && TestMouse.left) || (virtualKey == VK_RBUTTON && TestMouse.right);
}

bool InjectedCursorPos(const RECT& frame, float* x, float* y) {
  if (!TestMouse.active) return false;
  *x = frame.left + TestMouse.x;
  *y = frame.top + TestMouse.y;
  return true;
}
