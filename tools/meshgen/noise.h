#pragma once
// Deterministic value noise: the same seed gives the same shapes on every
// machine (no library random engines or distributions are involved).
#include <cstdint>

// Smooth noise in [-1, 1] with features about one unit apart.
double ValueNoise(double x, double y, double z, uint32_t seed);
// Sum of octaves, still roughly within [-1, 1].
double FractalNoise(double x, double y, double z, uint32_t seed, int octaves);
// A repeatable value in [0, 1) for an integer key.
double HashUnit(uint32_t key, uint32_t seed);
