#include "noise.h"

#include <cmath>

namespace {

uint32_t Mix(uint32_t value) {
  value ^= value >> 16;
  value *= 0x7feb352du;
  value ^= value >> 15;
  value *= 0x846ca68bu;
  value ^= value >> 16;
  return value;
}

float LatticeValue(int x, int y, int period, uint32_t seed) {
  x = ((x % period) + period) % period;
  y = ((y % period) + period) % period;
  uint32_t h = Mix(uint32_t(x) * 0x9E3779B1u ^ Mix(uint32_t(y) + 0x632BE5ABu) ^ (seed * 0x85EBCA77u));
  return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

float Smooth(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

}  // namespace

float ValueNoise(float x, float y, int period, uint32_t seed) {
  if (period < 1) period = 1;
  float fx = std::floor(x), fy = std::floor(y);
  int ix = int(fx), iy = int(fy);
  float tx = Smooth(x - fx), ty = Smooth(y - fy);
  float a = LatticeValue(ix, iy, period, seed);
  float b = LatticeValue(ix + 1, iy, period, seed);
  float c = LatticeValue(ix, iy + 1, period, seed);
  float d = LatticeValue(ix + 1, iy + 1, period, seed);
  float top = a + (b - a) * tx;
  float bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
}

float Fbm(float x, float y, int period, int octaves, uint32_t seed) {
  float sum = 0.0f, weight = 1.0f, total = 0.0f;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x, y, period, seed + uint32_t(i) * 101u) * weight;
    total += weight;
    x *= 2.0f;
    y *= 2.0f;
    period *= 2;
    weight *= 0.5f;
  }
  return total > 0.0f ? sum / total : 0.0f;
}

uint32_t Rng::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

double Rng::Uniform() { return double(Next() >> 8) / double(1u << 24); }

double Rng::Range(double low, double high) { return low + (high - low) * Uniform(); }
