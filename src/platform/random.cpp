#include "platform/random.h"

#include <atomic>
#include <ctime>

namespace {
thread_local uint32_t state = 1;
std::atomic<CalendarSource> calendarSource{nullptr};
}

void crtSrand(uint32_t seed) { state = seed; }

int crtRand() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFF);
}

void crtSrandFromTime() {
  CalendarSource source = calendarSource;
  crtSrand(source ? source() : static_cast<uint32_t>(std::time(nullptr)));
}

void SetCalendarSource(CalendarSource source) { calendarSource = source; }
