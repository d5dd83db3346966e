#include "noise.h"

#include <cmath>

namespace {
uint32_t Mix(uint32_t h) {
  h ^= h >> 16;
  h *= 0x7feb352dU;
  h ^= h >> 15;
  h *= 0x846ca68bU;
  h ^= h >> 16;
  return h;
}

double Lattice(int x, int y, int z, uint32_t seed) {
  uint32_t h = Mix(static_cast<uint32_t>(x) * 0x8da6b343U ^ static_cast<uint32_t>(y) * 0xd8163841U ^
                   static_cast<uint32_t>(z) * 0xcb1ab31fU ^ Mix(seed));
  return (h & 0xFFFFFF) / static_cast<double>(0x800000) - 1.0;
}

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
double Mixd(double a, double b, double t) { return a + (b - a) * t; }
}  // namespace

double ValueNoise(double x, double y, double z, uint32_t seed) {
  int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y)), iz = static_cast<int>(std::floor(z));
  double fx = Fade(x - ix), fy = Fade(y - iy), fz = Fade(z - iz);
  double c[2][2][2];
  for (int a = 0; a < 2; ++a)
    for (int b = 0; b < 2; ++b)
      for (int d = 0; d < 2; ++d) c[a][b][d] = Lattice(ix + a, iy + b, iz + d, seed);
  double x00 = Mixd(c[0][0][0], c[1][0][0], fx), x10 = Mixd(c[0][1][0], c[1][1][0], fx);
  double x01 = Mixd(c[0][0][1], c[1][0][1], fx), x11 = Mixd(c[0][1][1], c[1][1][1], fx);
  return Mixd(Mixd(x00, x10, fy), Mixd(x01, x11, fy), fz);
}

double FractalNoise(double x, double y, double z, uint32_t seed, int octaves) {
  double sum = 0, amplitude = 1, total = 0, frequency = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * ValueNoise(x * frequency, y * frequency, z * frequency, seed + 101U * i);
    total += amplitude;
    amplitude *= 0.5;
    frequency *= 2.03;
  }
  return sum / total;
}

double HashUnit(uint32_t key, uint32_t seed) { return (Mix(key * 0x9e3779b9U ^ Mix(seed)) >> 8) / 16777216.0; }
