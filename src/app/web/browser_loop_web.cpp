// The game in a web page: no threads, one frame per animation frame of the
// browser, with the messages that arrived since the last one taken first.
#include "app/browser_loop.h"

#include <emscripten.h>

#include "app/engine.h"
#include "platform/web/browser_window.h"

namespace {
void BrowserFrame() {
  MSG message;
  while (!Messages.QuitRequested && PeekMessageA(&message))
    WindowProc(message.hwnd, message.message, message.wParam, message.lParam);
  if (!Messages.QuitRequested) {
    RunFrame();
    return;
  }
  emscripten_cancel_main_loop();
  EngineShutdown();
  EM_ASM(if (Module.onGameEnded) Module.onGameEnded(););
}
}  // namespace

void EngineStartInBrowser() {
  EngineLoad();
  emscripten_set_main_loop(BrowserFrame, 0, false);
}
