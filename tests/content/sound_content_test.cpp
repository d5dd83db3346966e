#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "content_paths.h"

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

const Wav& Effect(const std::string& name) {
  static std::map<std::string, Wav> cache;
  auto found = cache.find(name);
  if (found == cache.end()) {
    Wav wav;
    ReadCanonicalWav(FileBytes(GameFile("snd/" + name + ".wav")), wav);
    found = cache.emplace(name, wav).first;
  }
  return found->second;
}

double PeakDb(const std::vector<int16_t>& samples, size_t from, size_t to) {
  int peak = 0;
  for (size_t i = from; i < to && i < samples.size(); ++i) peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
  return peak == 0 ? -200 : 20 * std::log10(peak / 32768.0);
}

// Zero crossings per second: a rough measure of how high a sound sits.
double CrossingsPerSecond(const Wav& wav) {
  int crossings = 0;
  for (size_t i = 1; i < wav.samples.size(); ++i)
    if ((wav.samples[i - 1] < 0) != (wav.samples[i] < 0)) ++crossings;
  return crossings / (static_cast<double>(wav.samples.size()) / wav.rate);
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

TEST(SoundContent, EffectsPeakNearMinusThreeDecibelsAndStartAndEndSoftly) {
  for (const auto& [name, longest] : kEffects) {
    SCOPED_TRACE(name);
    const Wav& wav = Effect(name);
    ASSERT_FALSE(wav.samples.empty());
    double peak = PeakDb(wav.samples, 0, wav.samples.size());
    EXPECT_LT(peak, -2.0);  // headroom: never at full scale
    EXPECT_GT(peak, -4.0);
    // No click at the start: silence first, and the first millisecond stays
    // well under the peak.
    EXPECT_EQ(wav.samples.front(), 0);
    EXPECT_LT(PeakDb(wav.samples, 0, wav.rate / 1000), peak - 6);
    // Ends in silence, so stopping early or ending does not click either.
    EXPECT_LE(std::abs(static_cast<int>(wav.samples.back())), 1);
    EXPECT_LT(PeakDb(wav.samples, wav.samples.size() - wav.rate / 200, wav.samples.size()), peak - 20);
    // No offset from zero.
    double mean = 0;
    for (int16_t s : wav.samples) mean += s;
    EXPECT_LT(std::fabs(mean / wav.samples.size()), 50.0);
  }
}

TEST(SoundContent, TheBombBoomsLowAndTheFlowerChimesHigh) {
  double boom = CrossingsPerSecond(Effect("death"));
  double nope = CrossingsPerSecond(Effect("wrong_way"));
  double chime = CrossingsPerSecond(Effect("flower_pickup"));
  double tick = CrossingsPerSecond(Effect("cell_mouse_over"));
  EXPECT_LT(boom, 600);
  EXPECT_LT(nope, 1000);
  EXPECT_GT(chime, 2000);
  EXPECT_GT(tick, 2000);
  // The jingles are the longest sounds, the pointer sounds the shortest.
  auto seconds = [](const std::string& name) {
    const Wav& wav = Effect(name);
    return static_cast<double>(wav.samples.size()) / wav.rate;
  };
  EXPECT_GT(seconds("victory2"), 1.5);
  EXPECT_GT(seconds("loose"), 1.5);
  EXPECT_LT(seconds("cell_mouse_over"), 0.15);
  EXPECT_LT(seconds("menu_button_over"), 0.2);
  EXPECT_LT(seconds("menu_button_click"), 0.2);
}

TEST(SoundContent, GeneratorWritesTheSameBytesEveryTime) {
  std::string generator = GeneratorPath("sndgen", "kestrin_sndgen");
  std::string first = FreshFolder("sounds_a"), second = FreshFolder("sounds_b");
  ASSERT_TRUE(RunInto(generator, first));
  ASSERT_TRUE(RunInto(generator, second));
  for (const auto& [name, longest] : kEffects) {
    std::string file = "snd/" + name + ".wav";
    std::string a = FileBytes(first + "/" + file);
    ASSERT_FALSE(a.empty()) << file;
    EXPECT_TRUE(a == FileBytes(second + "/" + file)) << file;
    EXPECT_TRUE(a == FileBytes(GameFile(file))) << file;
  }
}
