#include "core/mouse.h"

#include <algorithm>
#include <cmath>

#include "core/camera.h"
#include "core/engine_state.h"
#include "core/vector_helpers.h"
#include "platform/window.h"

MouseState Mouse;

namespace {
// A press is the game's only while the pointer stays over its active window
// from press to release: one that began elsewhere, or left, clicks nothing.
int32_t GameButton(int virtualKey, bool overGame, bool& ignored) {
  if (!GetAsyncKeyState(virtualKey)) {
    ignored = false;
    return ButtonUp;
  }
  if (!overGame) ignored = true;
  return ignored ? ButtonCleared : ButtonHeld;
}
}  // namespace

void PollMouse() {
  RECT frame{0, 0, 0, 0}, client{0, 0, 0, 0};
  GetWindowRect(Window.MainWindow, &frame);
  GetClientRect(Window.MainWindow, &client);
  Mouse.clientWidth = static_cast<float>(client.right - client.left);
  Mouse.clientHeight = static_cast<float>(client.bottom - client.top);
  float originX = static_cast<float>(frame.left + Window.FrameWidth);
  float originY = static_cast<float>(frame.top + Window.FrameHeight + Window.CaptionHeight);
  Mouse.leftPrevious = Mouse.leftCurrent;
  Mouse.rightPrevious = Mouse.rightCurrent;
  float cursorX = 0, cursorY = 0;
  GetCursorPos(Window.MainWindow, &cursorX, &cursorY);
  Mouse.mouseX = cursorX - originX;
  Mouse.mouseY = cursorY - originY;
  const bool overGame = PointerOverActiveWindow(Window.MainWindow);
  Mouse.leftCurrent = GameButton(VK_LBUTTON, overGame, Mouse.leftIgnored);
  Mouse.rightCurrent = GameButton(VK_RBUTTON, overGame, Mouse.rightIgnored);
}

float PointerX() {
  float half = Mouse.clientWidth / 2.0f;
  if (half <= 0.0f) return 0.0f;
  return std::clamp((std::trunc(Mouse.mouseX) - half) / half + 1.0f, 0.0f, 2.0f);
}

float PointerY() {
  if (Mouse.clientHeight <= 0.0f) return 0.0f;
  return std::clamp(std::trunc(Mouse.mouseY) / Mouse.clientHeight * 1.5f, 0.0f, 1.5f);
}

bool LeftClicked() { return Mouse.leftPrevious == ButtonHeld && Mouse.leftCurrent == ButtonUp; }
bool RightClicked() { return Mouse.rightPrevious == ButtonHeld && Mouse.rightCurrent == ButtonUp; }

void ClearPointer() {
  Mouse.mouseX = Mouse.mouseY = 0.0f;
  Mouse.leftPrevious = Mouse.leftCurrent = ButtonCleared;
  Mouse.rightPrevious = Mouse.rightCurrent = ButtonCleared;
}

D3DXVECTOR3 MouseRay(float px, float py) {
  const Camera& camera = *Cameras.CurrentCamera;
  // The camera's `right` is the screen's left under the left-handed look-at
  // view the frame builds, so the pointer's offset to the right runs against it.
  D3DXVECTOR3 d = camera.direction + (camera.right * (1.0f - px) - camera.up * (py - 0.75f)) * 0.898f;
  return SetLength(d, 1.0f);
}
