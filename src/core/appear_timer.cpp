#include "core/appear_timer.h"

#include <cstdint>

#include "platform/time.h"

float AppearTimer::Progress() const {
  const uint32_t now = timeGetTime();
  // A signed difference, so a start in the future (or a wrapped clock) reads
  // 0; a start long ago reads finished wherever the clock stands.
  const int32_t elapsed = start == TimerLongAgo ? INT32_MAX : static_cast<int32_t>(now - static_cast<uint32_t>(start));
  if (elapsed < 0) return 0.0f;
  return duration != 0 ? static_cast<float>(elapsed) / static_cast<float>(duration) : 1.0f;
}

float AppearTimer::Advance() {
  const float progress = Progress();
  if (progress >= 1.0f && repeat) start = static_cast<int32_t>(timeGetTime());
  return progress;
}

void AppearTimer::StartIn(int32_t delay) { start = static_cast<int32_t>(timeGetTime() + static_cast<uint32_t>(delay)); }
