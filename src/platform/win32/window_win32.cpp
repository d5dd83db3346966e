// The main window on Windows: a registered window class, its window procedure
// and the system message loop, giving the game the messages it knows.
#include "platform/window.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/button_presses.h"
#include "platform/code_page.h"
#include "platform/message_queue.h"
#include "platform/window_visibility.h"
#include "platform/test_hooks.h"
#include "platform/win32/system_window.h"

// The system's names for these are the game's own here; the system's key
// state comes through SystemAsyncKeyState.
#define HWND SystemHWND
#define MSG SystemMSG
#define RECT SystemRECT
#define GetAsyncKeyState SystemGetAsyncKeyStateHidden
#include <windows.h>
#undef HWND
#undef MSG
#undef RECT
#undef GetAsyncKeyState

struct PlatformWindow {
  SystemHWND system = nullptr;
};

InjectedMouse TestMouse;

namespace {
constexpr wchar_t kClassName[] = L"Kestrin";

HWND theWindow = nullptr;
// Owns every window made and not yet destroyed.
std::vector<std::unique_ptr<PlatformWindow>> OpenWindows;
std::atomic<SystemHWND> systemWindow{nullptr};

void Queue(uint32_t message, uintptr_t wParam) { QueueMessage(theWindow, message, wParam); }

void Wake() {
  if (SystemHWND window = systemWindow) PostMessageA(window, WM_USER, 0, 0);
}

LRESULT CALLBACK WindowProcedure(SystemHWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR: {
      // A wide window gets every typed letter whatever the system's code
      // page; the game takes those its fonts draw.
      uint8_t byte = wParam < 0x20 ? uint8_t(wParam) : UnicodeToCp1251(uint32_t(wParam));
      if (byte) Queue(WM_CHAR, byte);
      return 0;
    }
    case WM_KEYDOWN: Queue(WM_KEYDOWN, wParam & 0xFF); return 0;
    case WM_KEYUP: Queue(WM_KEYUP, wParam & 0xFF); return 0;
    // The window stays until shutdown has released what draws into it.
    case WM_CLOSE: Queue(WM_CLOSE, 0); return 0;
    case WM_SIZE:
      SetWindowHidden(wParam == SIZE_MINIMIZED);
      return DefWindowProcW(window, message, wParam, lParam);
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  // The executable's own icon, for the taskbar and, small, the title bar.
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
}  // namespace

void* SystemWindowOf(HWND window) { return window ? window->system : nullptr; }

HWND CreatePlatformWindow(const char* title, int width, int height, bool fullscreen) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterWindowClass(instance)) return nullptr;
  DWORD style = fullscreen ? WS_POPUP : WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  SystemRECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, style, FALSE);
  std::wstring wideTitle(title, title + std::strlen(title));
  SystemHWND system = CreateWindowExW(0, kClassName, wideTitle.c_str(), style, fullscreen ? 0 : CW_USEDEFAULT,
                                      fullscreen ? 0 : CW_USEDEFAULT, frame.right - frame.left,
                                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!system) {
    std::fprintf(stderr, "Kestrin: cannot create the window (error %lu)\n", GetLastError());
    return nullptr;
  }
  ShowWindow(system, SW_SHOWNORMAL);
  UpdateWindow(system);
  SetWindowHidden(false);
  theWindow = OpenWindows.emplace_back(std::make_unique<PlatformWindow>(PlatformWindow{system})).get();
  systemWindow = system;
  return theWindow;
}

void DestroyWindow(HWND window) {
  if (!window) return;
  if (window == theWindow) {
    theWindow = nullptr;
    systemWindow = nullptr;
  }
  DestroyWindow(window->system);
  std::erase_if(OpenWindows, [window](const auto& open) { return open.get() == window; });
  ClearQueuedMessages();
}

bool GetMessageA(MSG* message) {
  while (!TakeQueuedMessage(message)) {
    SystemMSG system;
    if (GetMessageW(&system, nullptr, 0, 0) <= 0) return false;
    if (system.message == WM_USER) {
      *message = MSG{theWindow, WM_QUITWAKE, 0, 0};
      return true;
    }
    TranslateMessage(&system);
    DispatchMessageW(&system);
  }
  return true;
}

void PostWakeMessage() { Wake(); }

bool GetClientRect(HWND window, RECT* rect) {
  SystemRECT client;
  if (!window || !GetClientRect(window->system, &client)) return false;
  *rect = RECT{client.left, client.top, client.right, client.bottom};
  return true;
}

// The client area in screen coordinates: the game takes the frame as zero.
bool GetWindowRect(HWND window, RECT* rect) {
  SystemRECT client;
  if (!window || !GetClientRect(window->system, &client)) return false;
  POINT origin{0, 0};
  ClientToScreen(window->system, &origin);
  *rect = RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
  return true;
}

bool GetCursorPos(HWND window, float* x, float* y) {
  RECT frame{0, 0, 0, 0};
  GetWindowRect(window, &frame);
  if (InjectedCursorPos(frame, x, y)) return true;
  POINT cursor{0, 0};
  if (!GetCursorPos(&cursor)) return false;
  *x = static_cast<float>(cursor.x);
  *y = static_cast<float>(cursor.y);
  return true;
}

int16_t GetAsyncKeyState(int virtualKey) {
  if (TestMouse.active) return ButtonKeyState(virtualKey, InjectedButtonHeld(virtualKey));
  return SystemAsyncKeyState(virtualKey);
}

bool PointerOverActiveWindow(HWND window) {
  if (TestMouse.active) return !TestMouse.elsewhere;
  if (!window || GetForegroundWindow() != window->system) return false;
  POINT cursor{0, 0};
  SystemRECT client;
  return GetCursorPos(&cursor) && ScreenToClient(window->system, &cursor) &&
         GetClientRect(window->system, &client) && PtInRect(&client, cursor);
}

void MessageBoxA(const char* text, const char* caption) {
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
  MessageBoxA(nullptr, text, caption, MB_OK);
}

void InjectKeyDown(int virtualKey) {
  Queue(WM_KEYDOWN, virtualKey);
  if (virtualKey == VK_BACK || virtualKey == VK_RETURN || virtualKey == VK_ESCAPE) Queue(WM_CHAR, virtualKey);
  Wake();
}

void InjectKeyUp(int virtualKey) {
  Queue(WM_KEYUP, virtualKey);
  Wake();
}

// With a window, characters and closing go through the system's queue and
// the window procedure, as typed and clicked ones do.
void InjectChar(unsigned char code) {
  if (SystemHWND window = systemWindow) {
    PostMessageW(window, WM_CHAR, code < 0x20 ? code : Cp1251ToUnicode(code), 0);
  } else {
    Queue(WM_CHAR, code);
  }
}

void InjectClose() {
  if (SystemHWND window = systemWindow) {
    PostMessageA(window, WM_CLOSE, 0, 0);
  } else {
    Queue(WM_CLOSE, 0);
  }
}
