// Loading effects from WAV files, playing them, and the damaged files that
// must stay silent rather than crash or allocate without bound.
#include "sound/sound_effect.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "sound_test_support.h"

namespace {

class SoundEffectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    system = CreateSoundSystem(nullptr);
    ASSERT_EQ(system.ready, 1);
  }
  void TearDown() override {
    ReleaseEffect(effect);
    ReleaseSoundSystem(system);
  }
  SoundEffect Load(const std::vector<uint8_t>& file) {
    folder.Write("snd\\effect.wav", file);
    return LoadEffect(system, "snd\\effect.wav");
  }
  int16_t Now() { return MixNow(system.device); }
  bool Playing() {
    uint32_t status = 0;
    effect.buffer->GetStatus(&status);
    return (status & DSBSTATUS_PLAYING) != 0;
  }

  ScratchFolder folder;
  LoopbackDevice loopback;
  SoundSystem system;
  SoundEffect effect;
};

TEST_F(SoundEffectTest, PlaysItsSamplesAndPlayedAgainStartsOver) {
  std::vector<uint8_t> file = CanonicalWave({}, Pcm16(Staircase(50, MixStep)));
  effect = Load(file);
  ASSERT_EQ(effect.loaded, 1);
  EXPECT_EQ(std::vector<uint8_t>(effect.header, effect.header + 44), std::vector<uint8_t>(file.begin(), file.begin() + 44));
  EXPECT_FALSE(Playing());
  PlayEffect(effect);
  EXPECT_TRUE(Playing());
  EXPECT_NEAR(Now(), 0, 2);
  EXPECT_NEAR(Now(), 1000, 2);
  EXPECT_NEAR(Now(), 2000, 2);
  PlayEffect(effect);
  EXPECT_NEAR(Now(), 0, 2);
  EXPECT_NEAR(Now(), 1000, 2);
  EXPECT_EQ(effect.looping, 0);
}

TEST_F(SoundEffectTest, DamagedOrRefusedFilesAreSilent) {
  const std::vector<uint8_t> data = Pcm16(Staircase(4, 100));
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
  };
  std::vector<uint8_t> shortHeader = CanonicalWave({}, {});
  shortHeader.resize(30);
  std::vector<uint8_t> nonCanonical = CanonicalWave({}, data);
  // An 18-byte format chunk moves the data chunk two bytes on.
  nonCanonical[16] = 18;
  nonCanonical.insert(nonCanonical.begin() + 36, {0, 0});
  const Case cases[] = {
      {"data size beyond the file", CanonicalWave({}, data, data.size() + 1)},
      {"huge data size", CanonicalWave({}, data, 0xFFFFFFF0)},
      {"no data", CanonicalWave({}, {})},
      {"shorter than its header", shortHeader},
      {"empty file", {}},
      {"non-canonical header", nonCanonical},
      {"no channels", CanonicalWave({WAVE_FORMAT_PCM, 0, 44100, 2, 16}, data)},
      {"rate 0", CanonicalWave({WAVE_FORMAT_PCM, 1, 0, 2, 16}, data)},
      {"block align 0", CanonicalWave({WAVE_FORMAT_PCM, 1, 44100, 0, 16}, data)},
      {"six channels", CanonicalWave({WAVE_FORMAT_PCM, 6, 44100, 12, 16}, data)},
      {"four bits", CanonicalWave({WAVE_FORMAT_PCM, 1, 44100, 1, 4}, data)},
      {"32 bits", CanonicalWave({WAVE_FORMAT_PCM, 1, 44100, 4, 32}, data)},
      {"compressed", CanonicalWave({2, 1, 44100, 2, 16}, data)},
  };
  for (const Case& c : cases) {
    SoundEffect damaged = Load(c.file);
    EXPECT_EQ(damaged.loaded, 0) << c.what;
    EXPECT_EQ(damaged.buffer, nullptr) << c.what;
    PlayEffect(damaged);
    EXPECT_NEAR(Now(), 0, 2) << c.what;
  }
}

TEST_F(SoundEffectTest, EffectBeyondTheSizeLimitIsSilent) {
  // Files that really hold that much (sparse, so cheap): only the size decides.
  auto writeHolding = [&](uint32_t bytes) {
    folder.Write("snd\\effect.wav", CanonicalWave({}, {}, bytes));
    ASSERT_EQ(truncate(folder.PathOf("snd\\effect.wav").c_str(), static_cast<off_t>(WaveHeaderSize + bytes)), 0);
  };
  writeHolding(MaxEffectBytes + 2);
  effect = LoadEffect(system, "snd\\effect.wav");
  EXPECT_EQ(effect.loaded, 0);
  writeHolding(MaxEffectBytes);
  effect = LoadEffect(system, "snd\\effect.wav");
  EXPECT_EQ(effect.loaded, 1);
}

}  // namespace
