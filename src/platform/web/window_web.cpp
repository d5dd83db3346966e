// The window on a web page: the canvas "#canvas", of the game's resolution,
// which the page scales to fit. Keys come from the whole page, the mouse from
// the canvas.
#include <emscripten/html5.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/button_presses.h"
#include "platform/message_queue.h"
#include "platform/test_hooks.h"
#include "platform/web/browser_window.h"

struct PlatformWindow {
  int width = 0, height = 0;
};

InjectedMouse TestMouse;

namespace {
constexpr const char* Canvas = "#canvas";
HWND theWindow = nullptr;
// Owns every window made and not yet destroyed.
std::vector<std::unique_ptr<PlatformWindow>> OpenWindows;
// The pointer over the canvas in its own pixels, and the buttons held.
float pointerX = 0, pointerY = 0;
bool leftHeld = false, rightHeld = false;

// The browser's key codes are Windows' virtual keys; only those the other
// backends translate go on.
int VirtualKeyOf(unsigned long keyCode) {
  bool letterOrDigit = (keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9');
  bool functionKey = keyCode >= VK_F1 && keyCode <= VK_F12;
  switch (keyCode) {
    case VK_BACK: case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_SPACE: case VK_LEFT: case VK_UP:
    case VK_RIGHT: case VK_DOWN: case VK_DELETE: case VK_SHIFT: case VK_CONTROL:
      return static_cast<int>(keyCode);
    default: return letterOrDigit || functionKey ? static_cast<int>(keyCode) : 0;
  }
}

// A key's `key` names one character when it types one ("a", "Я", " "), a
// key otherwise ("Enter", "Shift").
bool TypesCharacter(const EmscriptenKeyboardEvent& event) {
  if (event.ctrlKey || event.metaKey || event.altKey) return false;
  const unsigned char* key = reinterpret_cast<const unsigned char*>(event.key);
  if (!key[0]) return false;
  size_t length = key[0] < 0x80 ? 1 : key[0] < 0xE0 ? 2 : key[0] < 0xF0 ? 3 : 4;
  return std::strlen(event.key) == length;
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void*) {
  int virtualKey = VirtualKeyOf(event->keyCode);
  bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
  QueueKeyMessage(theWindow, down ? WM_KEYDOWN : WM_KEYUP, virtualKey);
  bool typed = down && TypesCharacter(*event);
  if (typed) QueueTypedText(theWindow, event->key);
  // The page keeps its own keys (F5, F11, shortcuts); those the game takes
  // must not scroll the page or go back in its history.
  bool functionKey = virtualKey >= 0x70 && virtualKey <= 0x7B;
  return (typed || virtualKey != 0) && !functionKey;
}

// Canvas pixels are the game's; the page may show the canvas larger or smaller.
void TrackPointer(const EmscriptenMouseEvent& event) {
  double shownWidth = 0, shownHeight = 0;
  emscripten_get_element_css_size(Canvas, &shownWidth, &shownHeight);
  if (!theWindow || shownWidth <= 0 || shownHeight <= 0) return;
  pointerX = static_cast<float>(event.targetX * theWindow->width / shownWidth);
  pointerY = static_cast<float>(event.targetY * theWindow->height / shownHeight);
}

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent* event, void*) {
  TrackPointer(*event);
  return EM_FALSE;
}

EM_BOOL OnMouseButton(int type, const EmscriptenMouseEvent* event, void*) {
  int virtualKey = event->button == 0 ? VK_LBUTTON : event->button == 2 ? VK_RBUTTON : 0;
  if (!virtualKey) return EM_FALSE;
  bool down = type == EMSCRIPTEN_EVENT_MOUSEDOWN;
  (virtualKey == VK_LBUTTON ? leftHeld : rightHeld) = down;
  if (down) {
    TrackPointer(*event);
    RememberPress(virtualKey);
  }
  return EM_TRUE;
}

EM_BOOL OnFocusLost(int, const EmscriptenFocusEvent*, void*) {
  leftHeld = rightHeld = false;
  return EM_FALSE;
}
}  // namespace

HWND CreatePlatformWindow(const char*, int width, int height, bool) {
  if (emscripten_set_canvas_element_size(Canvas, width, height) != EMSCRIPTEN_RESULT_SUCCESS) {
    std::fprintf(stderr, "Kestrin: the page has no canvas\n");
    return nullptr;
  }
  theWindow = OpenWindows.emplace_back(std::make_unique<PlatformWindow>(PlatformWindow{width, height})).get();
  const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(page, nullptr, EM_FALSE, OnKey);
  emscripten_set_keyup_callback(page, nullptr, EM_FALSE, OnKey);
  emscripten_set_mousemove_callback(Canvas, nullptr, EM_FALSE, OnMouseMove);
  emscripten_set_mousedown_callback(Canvas, nullptr, EM_FALSE, OnMouseButton);
  // A button let go outside the canvas is let go all the same.
  emscripten_set_mouseup_callback(page, nullptr, EM_FALSE, OnMouseButton);
  emscripten_set_blur_callback(page, nullptr, EM_FALSE, OnFocusLost);
  return theWindow;
}

void DestroyWindow(HWND window) {
  if (!window) return;
  emscripten_html5_remove_all_event_listeners();
  if (window == theWindow) theWindow = nullptr;
  std::erase_if(OpenWindows, [window](const auto& open) { return open.get() == window; });
  ClearQueuedMessages();
}

bool PeekMessageA(MSG* message) { return TakeQueuedMessage(message); }

// The browser cannot block: the frame loop peeks instead.
bool GetMessageA(MSG* message) { return TakeQueuedMessage(message); }

void PostWakeMessage() {}

bool GetClientRect(HWND window, RECT* rect) {
  if (!window) return false;
  *rect = RECT{0, 0, window->width, window->height};
  return true;
}

bool GetWindowRect(HWND window, RECT* rect) { return GetClientRect(window, rect); }

bool GetCursorPos(HWND window, float* x, float* y) {
  RECT frame{0, 0, 0, 0};
  GetWindowRect(window, &frame);
  if (InjectedCursorPos(frame, x, y)) return true;
  *x = pointerX;
  *y = pointerY;
  return true;
}

int16_t GetAsyncKeyState(int virtualKey) {
  bool down = TestMouse.active ? InjectedButtonHeld(virtualKey)
                               : (virtualKey == VK_LBUTTON && leftHeld) || (virtualKey == VK_RBUTTON && rightHeld);
  return ButtonKeyState(virtualKey, down);
}

// The canvas hears only its own presses, as an SDL window does.
bool PointerOverActiveWindow(HWND) { return !(TestMouse.active && TestMouse.elsewhere); }

void MessageBoxA(const char* text, const char* caption) {
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
}

void InjectKeyDown(int virtualKey) { QueueKeyMessage(theWindow, WM_KEYDOWN, virtualKey); }

void InjectKeyUp(int virtualKey) { QueueKeyMessage(theWindow, WM_KEYUP, virtualKey); }

void InjectChar(unsigned char code) { QueueMessage(theWindow, WM_CHAR, code); }

void InjectClose() { QueueMessage(theWindow, WM_CLOSE, 0); }
