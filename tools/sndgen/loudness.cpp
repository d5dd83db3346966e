#include "loudness.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kLoudnessPi = 3.14159265358979323846;

struct Biquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

  double Step(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return y;
  }
};

// The two K-weighting stages, from their analogue prototypes for any rate.
Biquad HeadShelf(int rate) {
  const double k = std::tan(kLoudnessPi * 1681.974450955533 / rate), q = 0.7071752369554196;
  const double vh = std::pow(10.0, 3.999843853973347 / 20.0), vb = std::pow(vh, 0.4996667741545416);
  const double a0 = 1.0 + k / q + k * k;
  return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
          2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad LowCut(int rate) {
  const double k = std::tan(kLoudnessPi * 38.13547087602444 / rate), q = 0.5003270373238773;
  const double a0 = 1.0 + k / q + k * k;
  return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}
}  // namespace

double LoudestWindowLufs(const std::vector<double>& samples, int rate) {
  const size_t window = static_cast<size_t>(rate * 0.4), step = static_cast<size_t>(rate * 0.01);
  Biquad shelf = HeadShelf(rate), lowCut = LowCut(rate);
  std::vector<double> squares(std::max(samples.size(), window), 0.0);
  for (size_t i = 0; i < samples.size(); ++i) {
    const double weighted = lowCut.Step(shelf.Step(samples[i]));
    squares[i] = weighted * weighted;
  }
  double loudest = 0, sum = 0;
  for (size_t i = 0; i < window; ++i) sum += squares[i];
  for (size_t start = 0;; start += step) {
    loudest = std::max(loudest, sum / window);
    if (start + step + window > squares.size()) break;
    for (size_t i = start; i < start + step; ++i) sum += squares[i + window] - squares[i];
  }
  if (loudest <= 0) return -std::numeric_limits<double>::infinity();
  return -0.691 + 10.0 * std::log10(loudest);
}
