#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <cstring>
#include <string>
#include <vector>

#include "content_paths.h"
#include "loudness.h"

using namespace contenttest;

namespace {
// The effects in the order the game loads them, with the longest each may
// last: the jingles of a won or lost level up to 3 s, the rest under 1.5 s.
const std::vector<std::pair<std::string, double>> kEffects = {
    {"cell_mouse_over", 1.5}, {"attention", 1.5},     {"menu_button_over", 1.5}, {"menu_button_click", 1.5},
    {"flower_pickup", 1.5},   {"bonus_pickup", 1.5},  {"death", 1.5},            {"victory2", 3.0},
    {"loose", 3.0},           {"wrong_way", 1.5},
};

uint32_t Read32(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 | static_cast<uint8_t>(b[at + 2]) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t Read16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

struct Wav {
  uint32_t rate = 0;
  std::vector<int16_t> samples;
};

// Checks the canonical 44-byte layout the game reads by fixed offsets.
void ReadCanonicalWav(const std::string& bytes, Wav& wav) {
  ASSERT_GE(bytes.size(), 44u);
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(Read32(bytes, 4), bytes.size() - 8);
  EXPECT_EQ(bytes.substr(8, 4), "WAVE");
  EXPECT_EQ(bytes.substr(12, 4), "fmt ");
  EXPECT_EQ(Read32(bytes, 16), 16u);
  EXPECT_EQ(Read16(bytes, 20), 1);   // PCM
  EXPECT_EQ(Read16(bytes, 22), 1);   // mono
  wav.rate = Read32(bytes, 24);
  EXPECT_TRUE(wav.rate == 22050 || wav.rate == 44100) << wav.rate;
  EXPECT_EQ(Read32(bytes, 28), wav.rate * 2);
  EXPECT_EQ(Read16(bytes, 32), 2);
  EXPECT_EQ(Read16(bytes, 34), 16);
  EXPECT_EQ(bytes.substr(36, 4), "data");
  uint32_t dataSize = Read32(bytes, 40);
  ASSERT_EQ(dataSize, bytes.size() - 44);
  ASSERT_EQ(dataSize % 2, 0u);
  wav.samples.resize(dataSize / 2);
  std::memcpy(wav.samples.data(), bytes.data() + 44, dataSize);
}

}  // namespace

TEST(SoundContent, EveryEffectIsACanonicalMonoPcmWave) {
  for (const auto& [name, longest] : kEffects) {
    SCOPED_TRACE(name);
    std::string bytes = FileBytes(GameFile("snd/" + name + ".wav"));
    Wav wav;
    ReadCanonicalWav(bytes, wav);
    ASSERT_FALSE(wav.samples.empty());
    double seconds = static_cast<double>(wav.samples.size()) / wav.rate;
    EXPECT_GT(seconds, 0.03);
    EXPECT_LE(seconds, longest);
  }
}

// Balanced as a player hears them: the hover sounds, which play at every move
// of the pointer, under the click they lead to, the cell's the softest of
// all; the sounds of what happens in a round within 6 dB of each other; and
// nothing at full scale.
TEST(SoundContent, EffectsAreBalancedByLoudnessAndNeverClip) {
  std::map<std::string, double> lufs;
  for (const auto& [name, longest] : kEffects) {
    Wav wav;
    ReadCanonicalWav(FileBytes(GameFile("snd/" + name + ".wav")), wav);
    std::vector<double> samples;
    for (int16_t sample : wav.samples) {
      EXPECT_LT(std::abs(sample), 32767) << name << " clips";
      samples.push_back(sample / 32768.0);
    }
    lufs[name] = LoudestWindowLufs(samples, static_cast<int>(wav.rate));
  }
  for (const char* hover : {"cell_mouse_over", "menu_button_over"})
    EXPECT_LE(lufs[hover], lufs["menu_button_click"] - 3.0) << hover;
  for (const auto& [name, loudness] : lufs) {
    if (name != "cell_mouse_over") {
      EXPECT_LT(lufs["cell_mouse_over"], loudness) << name;
    }
  }
  std::vector<double> events;
  for (const char* name : {"bonus_pickup", "flower_pickup", "death", "victory2", "loose", "attention", "wrong_way"})
    events.push_back(lufs[name]);
  EXPECT_LE(*std::max_element(events.begin(), events.end()) - *std::min_element(events.begin(), events.end()), 6.0);
}
