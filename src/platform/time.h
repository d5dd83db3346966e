#pragma once
// The millisecond clocks. Both read one monotonic clock, counted from the
// program's start, and wrap like the 32-bit Windows counters. Tests replace
// the clock to step time by hand.
#include <cstdint>

uint32_t timeGetTime();
uint32_t GetTickCount();

// Test hook: while set, both clocks return what the function returns.
using ClockSource = uint32_t (*)();
void SetClockSource(ClockSource source);

// Convenience for tests: a clock that returns TestClockNow, which the test sets.
extern uint32_t TestClockNow;
uint32_t TestClock();

void Sleep(uint32_t milliseconds);
