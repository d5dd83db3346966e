#include "wav_file.h"

#include <cstdio>
#include <fstream>

namespace {
void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
}  // namespace

std::string WavBytes(const std::vector<int16_t>& samples, uint32_t sampleRate) {
  const uint16_t channels = 1, bits = 16, blockAlign = channels * bits / 8;
  const uint32_t dataSize = static_cast<uint32_t>(samples.size()) * blockAlign;
  std::string out;
  out += "RIFF";
  Put32(out, 36 + dataSize);
  out += "WAVE";
  out += "fmt ";
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, channels);
  Put32(out, sampleRate);
  Put32(out, sampleRate * blockAlign);
  Put16(out, blockAlign);
  Put16(out, bits);
  out += "data";
  Put32(out, dataSize);
  for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
  return out;
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, uint32_t sampleRate) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << WavBytes(samples, sampleRate);
  out.close();
  if (!out) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}
