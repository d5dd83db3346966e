#pragma once
// Building blocks for the effect sounds: tones with gliding pitch and a set
// of harmonics, shaped by a soft envelope; noise from a fixed seed; gentle
// low-pass filtering; and the final mastering to 16-bit samples.
#include <cstdint>
#include <functional>
#include <vector>

constexpr int kSampleRate = 44100;

struct Sound {
  std::vector<double> samples;

  explicit Sound(double seconds) : samples(static_cast<size_t>(seconds * kSampleRate + 0.5), 0.0) {}
  double Duration() const { return static_cast<double>(samples.size()) / kSampleRate; }
};

// Rises over `attack` seconds along a quarter sine, then decays with time
// constant `decay` (0 keeps it level), and fades out over `release` seconds
// before `length` ends.
struct Envelope {
  double attack = 0.005, decay = 0, release = 0.02, length = 0.1;
  double At(double t) const;
};

// Relative amplitudes of the 1st, 2nd, 3rd ... harmonics; an empty list is a
// pure sine. `ratios` (when given) replaces the whole-number partials, e.g.
// for bells.
struct Timbre {
  std::vector<double> amplitudes{1.0};
  std::vector<double> ratios;
  double vibratoDepth = 0, vibratoRate = 5;  // depth as a frequency factor
};

Timbre Harmonics(std::vector<double> amplitudes);
Timbre Partials(std::vector<double> amplitudes, std::vector<double> ratios);

using Glide = std::function<double(double t)>;  // frequency in Hz at time t

// Adds a tone starting at `start` seconds; t runs from 0 within the tone.
void AddTone(Sound& sound, double start, const Glide& frequency, const Timbre& timbre, const Envelope& envelope,
             double gain);
Glide Steady(double frequency);
Glide Sweep(double from, double to, double seconds);  // exponential

// White noise from a fixed seed, passed through a two-pole low-pass whose
// cutoff follows `cutoff` (Hz at time t), shaped by the envelope.
void AddNoise(Sound& sound, double start, const Glide& cutoff, const Envelope& envelope, double gain, uint32_t seed);

// Two one-pole low-pass stages over the whole sound.
void LowPass(Sound& sound, double cutoff);

// No sample of a mastered sound comes nearer full scale than this.
constexpr double kCeilingDb = -1.0;

// Removes any offset, fades the first `fadeIn` and last 10 ms to silence,
// scales it to `targetLufs` (its loudest 400 ms, K-weighted) or, should that
// reach over the ceiling, to the ceiling, and rounds.
std::vector<int16_t> Master(const Sound& sound, double targetLufs, double fadeIn);

// Equal-tempered pitch: MIDI note number to Hz (69 = A4 = 440 Hz).
double NoteHz(double note);
