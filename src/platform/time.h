#pragma once
// The millisecond clocks. Both read one monotonic clock, counted from the
// program's start, and wrap like the 32-bit Windows counters. Tests replace
// the clock (platform/test_hooks.h).
#include <cstdint>

uint32_t timeGetTime();
uint32_t GetTickCount();

// Journals: while held, both clocks return `now`, so that a frame sees one
// time throughout and can be played again exactly.
void HoldClock(uint32_t now);
void ReleaseClock();
// The clock as it runs (the test clock when one is set), held or not.
uint32_t LiveTime();

// While paused both clocks stand still, and the time paused never shows:
// what moves by the clock goes on from where it stopped.
void PauseClock();
void ResumeClock();

void Sleep(uint32_t milliseconds);
