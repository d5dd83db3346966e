#pragma once
// The C runtime's generator with its exact formula, so that a seed gives the
// same boards and particles on every platform. One state per thread.
#include <cstdint>

constexpr int CRT_RAND_MAX = 0x7FFF;

void crtSrand(uint32_t seed);
int crtRand();  // 0 .. 32767

// Seeds from the calendar time, as srand(time(0)) does.
void crtSrandFromTime();

// Journals: while set, the calendar time in seconds comes from here.
using CalendarSource = uint32_t (*)();
void SetCalendarSource(CalendarSource source);
