#pragma once
// The millisecond clocks. Both read one monotonic clock, counted from the
// program's start, and wrap like the 32-bit Windows counters. Tests replace
// the clock (platform/test_hooks.h).
#include <cstdint>

uint32_t timeGetTime();
uint32_t GetTickCount();

void Sleep(uint32_t milliseconds);
