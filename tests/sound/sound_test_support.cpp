#include "sound_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}
}  // namespace

std::vector<uint8_t> CanonicalWave(const WaveFields& fields, const std::vector<uint8_t>& data, int64_t claimedBytes) {
  const uint32_t dataBytes = claimedBytes < 0 ? static_cast<uint32_t>(data.size()) : static_cast<uint32_t>(claimedBytes);
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, fields.formatTag);
  Put16(out, fields.channels);
  Put32(out, fields.rate);
  Put32(out, fields.rate * fields.blockAlign);
  Put16(out, fields.blockAlign);
  Put16(out, fields.bits);
  PutTag(out, "data");
  Put32(out, dataBytes);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> out;
  for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
  return out;
}

std::vector<int16_t> Sine(int frames, double frequency, double rate, double amplitude) {
  std::vector<int16_t> out(frames);
  for (int i = 0; i < frames; ++i)
    out[i] = static_cast<int16_t>(std::lround(amplitude * std::sin(2.0 * M_PI * frequency * i / rate)));
  return out;
}

std::vector<int16_t> Staircase(int steps, int stepFrames) {
  std::vector<int16_t> out;
  for (int k = 0; k < steps; ++k) out.insert(out.end(), stepFrames, static_cast<int16_t>(1000 * k));
  return out;
}

std::vector<int16_t> Render(IDirectSound* sound, uint32_t frames, int channels) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * channels);
  EXPECT_TRUE(RenderLoopback(sound, out.data(), frames));
  return out;
}

double LevelDb(const std::vector<int16_t>& samples, double reference, int channel, int channels) {
  double sum = 0;
  size_t count = 0;
  for (size_t i = channel; i < samples.size(); i += channels, ++count) sum += double(samples[i]) * samples[i];
  double rms = std::sqrt(sum / std::max<size_t>(count, 1));
  return 20.0 * std::log10(std::max(rms, 1e-9) / reference);
}

double RmsOfSine(double amplitude) { return amplitude / std::sqrt(2.0); }
