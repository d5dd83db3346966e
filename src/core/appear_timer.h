#pragma once
// A millisecond timer that yields progress through a fade or a flight.
#include <cstdint>

struct AppearTimer {
  int32_t duration = 200;
  int32_t start = 0;
  int32_t wait = 0;
  uint8_t repeat = 0;

  // (now - start) / duration; 0 before the start.
  float Progress() const;
  // Progress, restarting a repeating timer that has run its course.
  float Advance();
  // start = now + delay on the wrapping millisecond clock.
  void StartIn(int32_t delay);
};

// Start time that makes a timer read as long finished ("hide at once"),
// however far the clock has run.
constexpr int32_t TimerLongAgo = -1;
