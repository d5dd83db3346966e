#include "core/engine_state.h"

#include "core/mouse.h"
#include "core/options.h"
#include "core/save_failure.h"
#include "core/test_hooks.h"

WindowMessageState Messages;
GameWindowState Window;
FrameRateState FrameRate;

float PerFrame(float perSecond) {
  return FrameRate.FramesPerSecond != 0 ? perSecond / static_cast<float>(FrameRate.FramesPerSecond) : 0.0f;
}

bool TypedCharacterQueue::push(uint8_t code) {
  if (code == 0) return false;  // pop's "nothing waits"
  const uint32_t end = written.load(std::memory_order_relaxed);
  if (end - taken.load(std::memory_order_acquire) >= kCapacity) return false;
  codes[end % kCapacity] = code;
  written.store(end + 1, std::memory_order_release);
  return true;
}

uint8_t TypedCharacterQueue::pop() {
  const uint32_t start = taken.load(std::memory_order_relaxed);
  if (start == written.load(std::memory_order_acquire)) return 0;
  const uint8_t code = codes[start % kCapacity];
  taken.store(start + 1, std::memory_order_release);
  return code;
}

void TypedCharacterQueue::clear() { taken.store(written.load(std::memory_order_acquire), std::memory_order_release); }

void RequestQuit() {
  Messages.QuitRequested = 1;
  PostWakeMessage();
}

void ResetCoreForTests() {
  Mouse = MouseState{};
  Mouse.clientWidth = 800;
  Mouse.clientHeight = 600;
  Mouse.leftPrevious = Mouse.leftCurrent = ButtonUp;
  Mouse.rightPrevious = Mouse.rightCurrent = ButtonUp;
  Messages.TypedCharacters.clear();
  Messages.LastKeyUp = 0;
  Messages.LastKeyDown = 0;
  Options = EngineOptions{};
  SaveNotice = SaveFailureNotice{};
}
