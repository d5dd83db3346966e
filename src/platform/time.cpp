#include "platform/test_hooks.h"
#include "platform/time.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {
std::atomic<ClockSource> clockSource{nullptr};
std::atomic<bool> clockHeld{false};
std::atomic<uint32_t> heldTime{0};
// Written by the thread that pauses; the clocks read it from any thread.
std::atomic<bool> paused{false};
std::atomic<uint32_t> pausedAt{0};
std::atomic<uint32_t> pausedTotal{0};
// The tests' clock: it moves only when they move it.
std::atomic<uint32_t> testClockNow{0};

// Counted from the first reading, at start-up, rather than from boot, so that
// the clock reaches the signed 32-bit limit only after weeks of play.
uint32_t SteadyMilliseconds() {
  using namespace std::chrono;
  static const steady_clock::time_point origin = steady_clock::now();
  return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now() - origin).count());
}

uint32_t RunningTime() {
  ClockSource source = clockSource;
  return source ? source() : SteadyMilliseconds();
}
}  // namespace

uint32_t TestClock() { return testClockNow; }
void SetTestClock(uint32_t now) { testClockNow = now; }
void AdvanceTestClock(uint32_t milliseconds) { testClockNow += milliseconds; }

// Another clock starts afresh, with no pause behind it.
void SetClockSource(ClockSource source) {
  clockSource = source;
  paused = false;
  pausedTotal = 0;
}

uint32_t LiveTime() { return (paused ? pausedAt.load() : RunningTime()) - pausedTotal; }

void PauseClock() {
  if (paused) return;
  pausedAt = RunningTime();
  paused = true;
}

void ResumeClock() {
  if (!paused) return;
  pausedTotal += RunningTime() - pausedAt;
  paused = false;
}

uint32_t timeGetTime() { return clockHeld ? heldTime.load() : LiveTime(); }

void HoldClock(uint32_t now) {
  heldTime = now;
  clockHeld = true;
}

void ReleaseClock() { clockHeld = false; }

uint32_t GetTickCount() { return timeGetTime(); }

void Sleep(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
