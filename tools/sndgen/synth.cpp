#include "synth.h"

#include <algorithm>
#include <cmath>

#include "loudness.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
}

double Envelope::At(double t) const {
  if (t < 0 || t >= length) return 0;
  double level = t < attack ? std::pow(std::sin(0.5 * kPi * t / attack), 2) : 1.0;
  if (decay > 0 && t > attack) level *= std::exp(-(t - attack) / decay);
  double left = length - t;
  if (left < release) level *= std::pow(std::sin(0.5 * kPi * left / release), 2);
  return level;
}

void AddTone(Sound& sound, double start, const Glide& frequency, const Timbre& timbre, const Envelope& envelope,
             double gain) {
  size_t first = static_cast<size_t>(start * kSampleRate);
  size_t count = static_cast<size_t>(envelope.length * kSampleRate);
  size_t partials = timbre.amplitudes.size();
  std::vector<double> phases(partials, 0.0);
  for (size_t i = 0; i < count && first + i < sound.samples.size(); ++i) {
    double t = static_cast<double>(i) / kSampleRate;
    double f = frequency(t) * (1 + timbre.vibratoDepth * std::sin(2 * kPi * timbre.vibratoRate * t));
    double value = 0;
    for (size_t k = 0; k < partials; ++k) {
      double ratio = k < timbre.ratios.size() ? timbre.ratios[k] : static_cast<double>(k + 1);
      double fk = f * ratio;
      if (fk >= kSampleRate * 0.45) continue;  // keep clear of aliasing
      phases[k] += 2 * kPi * fk / kSampleRate;
      if (phases[k] > 2 * kPi) phases[k] -= 2 * kPi;
      value += timbre.amplitudes[k] * std::sin(phases[k]);
    }
    sound.samples[first + i] += gain * envelope.At(t) * value;
  }
}

Timbre Harmonics(std::vector<double> amplitudes) {
  Timbre timbre;
  timbre.amplitudes = std::move(amplitudes);
  return timbre;
}

Timbre Partials(std::vector<double> amplitudes, std::vector<double> ratios) {
  Timbre timbre = Harmonics(std::move(amplitudes));
  timbre.ratios = std::move(ratios);
  return timbre;
}

Glide Steady(double frequency) {
  return [frequency](double) { return frequency; };
}

Glide Sweep(double from, double to, double seconds) {
  return [=](double t) { return from * std::pow(to / from, std::min(t, seconds) / seconds); };
}

void AddNoise(Sound& sound, double start, const Glide& cutoff, const Envelope& envelope, double gain, uint32_t seed) {
  size_t first = static_cast<size_t>(start * kSampleRate);
  size_t count = static_cast<size_t>(envelope.length * kSampleRate);
  uint32_t state = seed;
  double low1 = 0, low2 = 0;
  for (size_t i = 0; i < count && first + i < sound.samples.size(); ++i) {
    double t = static_cast<double>(i) / kSampleRate;
    state = state * 1664525U + 1013904223U;
    double white = static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    double a = 1 - std::exp(-2 * kPi * cutoff(t) / kSampleRate);
    low1 += a * (white - low1);
    low2 += a * (low1 - low2);
    sound.samples[first + i] += gain * envelope.At(t) * low2;
  }
}

void LowPass(Sound& sound, double cutoff) {
  double a = 1 - std::exp(-2 * kPi * cutoff / kSampleRate);
  double low1 = 0, low2 = 0;
  for (double& s : sound.samples) {
    low1 += a * (s - low1);
    low2 += a * (low1 - low2);
    s = low2;
  }
}

std::vector<int16_t> Master(const Sound& sound, double targetLufs, double fadeIn) {
  std::vector<double> s = sound.samples;
  double mean = 0;
  for (double v : s) mean += v;
  mean /= std::max<size_t>(s.size(), 1);
  for (double& v : s) v -= mean;
  size_t inCount = static_cast<size_t>(fadeIn * kSampleRate), outCount = static_cast<size_t>(0.010 * kSampleRate);
  for (size_t i = 0; i < s.size(); ++i) {
    if (i < inCount) s[i] *= std::pow(std::sin(0.5 * kPi * i / inCount), 2);
    size_t left = s.size() - 1 - i;
    if (left < outCount) s[i] *= std::pow(std::sin(0.5 * kPi * left / outCount), 2);
  }
  double peak = 0;
  for (double v : s) peak = std::max(peak, std::fabs(v));
  const double loudness = LoudestWindowLufs(s, kSampleRate);
  if (peak == 0 || !std::isfinite(loudness)) return std::vector<int16_t>(s.size(), 0);
  // The loudness asked for, unless that would bring the peak over the ceiling.
  const double gain = std::min(std::pow(10.0, (targetLufs - loudness) / 20.0), std::pow(10.0, kCeilingDb / 20.0) / peak);
  const double scale = gain * 32767.0;
  std::vector<int16_t> out(s.size());
  for (size_t i = 0; i < s.size(); ++i) out[i] = static_cast<int16_t>(std::lround(s[i] * scale));
  return out;
}

double NoteHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }
