#pragma once
// Procedural noise and random numbers with fixed seeds, so every run of the
// generator draws the same pictures.
#include <cstdint>

// Smooth value noise in [0, 1]. The lattice repeats every `period` cells, so a
// texture filled with it tiles when its size is a whole number of periods.
float ValueNoise(float x, float y, int period, uint32_t seed);

// Sum of `octaves` noise layers, each of double frequency and half weight,
// normalised to [0, 1].
float Fbm(float x, float y, int period, int octaves, uint32_t seed);

// Small generator for scattering details (stones, dots, blades).
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
  uint32_t Next();
  double Uniform();                       // [0, 1)
  double Range(double low, double high);  // [low, high)

 private:
  uint32_t state_;
};
