#include "sound_test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>

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

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kestrin-sound-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  EXPECT_NE(made, nullptr);
  folder_ = pattern;
  previous_ = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
}

ScratchFolder::~ScratchFolder() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string ScratchFolder::PathOf(const std::string& name) const {
  std::string native = name;
  std::replace(native.begin(), native.end(), '\\', '/');
  return (folder_ / native).string();
}

void ScratchFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  std::filesystem::path path = PathOf(name);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
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
