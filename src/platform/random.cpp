#include "platform/random.h"

#include <ctime>

namespace {
thread_local uint32_t state = 1;
}

void crtSrand(uint32_t seed) { state = seed; }

int crtRand() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFF);
}

void crtSrandFromTime() { crtSrand(static_cast<uint32_t>(std::time(nullptr))); }
