#include "platform/window.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/button_presses.h"
#include "platform/message_queue.h"
#include "platform/sdl/window_internal.h"
#include "platform/test_hooks.h"
#include "platform/window_visibility.h"

struct PlatformWindow {
  SDL_Window* sdl = nullptr;
};

InjectedMouse TestMouse;

namespace {
// Messages waiting to be returned: a key press may yield a character too, and
// typed text may hold several characters.
Uint32 wakeEventType = static_cast<Uint32>(-1);
HWND theWindow = nullptr;
// Owns every window made and not yet destroyed.
std::vector<std::unique_ptr<PlatformWindow>> OpenWindows;

void Queue(uint32_t message, uintptr_t wParam) { QueueMessage(theWindow, message, wParam); }

void PushWakeEvent() {
  if (wakeEventType == static_cast<Uint32>(-1)) return;
  SDL_Event event;
  std::memset(&event, 0, sizeof event);
  event.type = wakeEventType;
  SDL_PushEvent(&event);
}

int VirtualKeyOf(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
  switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    default: return 0;
  }
}

void QueueKey(uint32_t message, int virtualKey) { QueueKeyMessage(theWindow, message, virtualKey); }

int VirtualKeyOfButton(uint8_t button) {
  if (button == SDL_BUTTON_LEFT) return VK_LBUTTON;
  if (button == SDL_BUTTON_RIGHT) return VK_RBUTTON;
  return 0;
}

void NoteVisibility(Uint8 windowEvent) {
  switch (windowEvent) {
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN: SetWindowHidden(true); break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED: SetWindowHidden(false); break;
    default: break;
  }
}

void TranslateEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: QueueKey(WM_KEYDOWN, VirtualKeyOf(event.key.keysym.sym)); break;
    case SDL_KEYUP: QueueKey(WM_KEYUP, VirtualKeyOf(event.key.keysym.sym)); break;
    case SDL_TEXTINPUT: QueueTypedText(theWindow, event.text.text); break;
    // Only the game's own window's buttons, as with every event SDL sends.
    case SDL_MOUSEBUTTONDOWN:
      if (theWindow && event.button.windowID == SDL_GetWindowID(theWindow->sdl))
        RememberPress(VirtualKeyOfButton(event.button.button));
      break;
    case SDL_QUIT: Queue(WM_CLOSE, 0); break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) Queue(WM_CLOSE, 0);
      NoteVisibility(event.window.event);
      break;
    default:
      if (event.type == wakeEventType) Queue(WM_QUITWAKE, 0);
      break;
  }
}
}  // namespace

SDL_Window* SdlWindowOf(HWND window) { return window ? window->sdl : nullptr; }

bool HasInteractiveDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

HWND CreatePlatformWindow(const char* title, int width, int height, bool fullscreen) {
  if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "Kestrin: no video: %s\n", SDL_GetError());
    return nullptr;
  }
  if (wakeEventType == static_cast<Uint32>(-1)) wakeEventType = SDL_RegisterEvents(1);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | (fullscreen ? SDL_WINDOW_FULLSCREEN : 0);
  SDL_Window* sdl = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
  if (!sdl) {
    std::fprintf(stderr, "Kestrin: cannot create the window: %s\n", SDL_GetError());
    return nullptr;
  }
  SDL_StartTextInput();
  SetWindowHidden(false);
  theWindow = OpenWindows.emplace_back(std::make_unique<PlatformWindow>(PlatformWindow{sdl})).get();
  return theWindow;
}

void DestroyWindow(HWND window) {
  if (!window) return;
  SDL_DestroyWindow(window->sdl);
  if (window == theWindow) theWindow = nullptr;
  std::erase_if(OpenWindows, [window](const auto& open) { return open.get() == window; });
  ClearQueuedMessages();
  SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

bool GetMessageA(MSG* message) {
  while (!TakeQueuedMessage(message)) {
    SDL_Event event;
    if (!SDL_WaitEvent(&event)) return false;
    TranslateEvent(event);
  }
  return true;
}

void PostWakeMessage() { PushWakeEvent(); }

bool GetClientRect(HWND window, RECT* rect) {
  if (!window) return false;
  int w = 0, h = 0;
  SDL_GetWindowSize(window->sdl, &w, &h);
  *rect = RECT{0, 0, w, h};
  return true;
}

bool GetWindowRect(HWND window, RECT* rect) {
  if (!window) return false;
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(window->sdl, &x, &y);
  SDL_GetWindowSize(window->sdl, &w, &h);
  *rect = RECT{x, y, x + w, y + h};
  return true;
}

bool GetCursorPos(HWND window, float* x, float* y) {
  RECT frame{0, 0, 0, 0};
  GetWindowRect(window, &frame);
  if (InjectedCursorPos(frame, x, y)) return true;
  int mx = 0, my = 0;
  SDL_GetMouseState(&mx, &my);
  *x = static_cast<float>(frame.left + mx);
  *y = static_cast<float>(frame.top + my);
  return true;
}

int16_t GetAsyncKeyState(int virtualKey) {
  bool down = false;
  if (TestMouse.active) {
    down = InjectedButtonHeld(virtualKey);
  } else if (SDL_WasInit(SDL_INIT_VIDEO)) {
    Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
    down = (virtualKey == VK_LBUTTON && (buttons & SDL_BUTTON_LMASK)) ||
           (virtualKey == VK_RBUTTON && (buttons & SDL_BUTTON_RMASK));
  }
  return ButtonKeyState(virtualKey, down);
}

bool PointerOverActiveWindow(HWND) { return !(TestMouse.active && TestMouse.elsewhere); }

void MessageBoxA(const char* text, const char* caption) {
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
  if (HasInteractiveDisplay()) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}

void InjectKeyDown(int virtualKey) {
  QueueKey(WM_KEYDOWN, virtualKey);
  PushWakeEvent();
}

void InjectKeyUp(int virtualKey) {
  QueueKey(WM_KEYUP, virtualKey);
  PushWakeEvent();
}

void InjectChar(unsigned char code) {
  Queue(WM_CHAR, code);
  PushWakeEvent();
}

void InjectClose() {
  Queue(WM_CLOSE, 0);
  PushWakeEvent();
}
