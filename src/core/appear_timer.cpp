#include "core/appear_timer.h"

#include "platform/time.h"

float AppearTimer::Progress() {
  int32_t now = static_cast<int32_t>(timeGetTime());
  // A signed difference, so a start in the future (or a wrapped clock) reads 0.
  int32_t elapsed = static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(start));
  if (elapsed < 0) return 0.0f;
  float progress = duration != 0 ? static_cast<float>(elapsed) / static_cast<float>(duration) : 1.0f;
  if (progress >= 1.0f && repeat) start = now;
  return progress;
}
