// The game's ten effects: start-up, playing by name, the volume level
// heard on the mix, missing files and a machine without sound.
#include "sound/game_sounds.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sound_test_support.h"

namespace {
constexpr double Amplitude = 16384;

void WriteEffects(const ScratchFolder& folder, const std::vector<uint8_t>& file, const std::string& except = "") {
  for (const char* name : EffectFiles)
    if (name != except) folder.Write(name, file);
}

int LoadedCount() {
  return static_cast<int>(std::count_if(std::begin(Sound.effects), std::end(Sound.effects),
                                        [](const SoundEffect& e) { return e.loaded == 1; }));
}

class GameSoundsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    StopSound();
    Sound.VolumeLevel = 4;
  }
  int16_t Now() { return MixNow(Sound.system.device); }

  ScratchFolder folder;
  LoopbackDevice loopback;
};

TEST_F(GameSoundsTest, VolumeLevelsGiveTheirGainsOnTheMix) {
  WriteEffects(folder, CanonicalWave({}, Pcm16(Sine(LoopbackRate, 441, LoopbackRate, Amplitude))));
  StartSound(nullptr);
  ASSERT_EQ(Sound.system.ready, 1);
  const struct {
    int level;
    double db;
  } levels[] = {{9, 0.0}, {4, -15.0}, {1, -24.0}};
  for (const auto& l : levels) {
    ApplyVolume(l.level);
    PlayEffect(GameSound::Victory);
    EXPECT_NEAR(LevelDb(Render(Sound.system.device, 8800), RmsOfSine(Amplitude)), l.db, 0.05) << l.level;
  }
}

TEST(GameSoundsSilentTest, NoDeviceRunsSilently) {
  ScratchFolder folder;
  WriteEffects(folder, CanonicalWave({}, Pcm16(Staircase(2, MixStep))));
  NoSoundDevice none;
  StartSound(nullptr);
  EXPECT_EQ(Sound.system.ready, 0);
  EXPECT_EQ(LoadedCount(), 0);
  for (int level = 1; level <= 9; ++level) ApplyVolume(level);
  for (int i = 0; i < EffectCount; ++i) {
    PlayEffect(static_cast<GameSound>(i));
    PlayEffectNoRestart(static_cast<GameSound>(i));
    EXPECT_EQ(EffectOf(static_cast<GameSound>(i)).buffer, nullptr);
  }
  StopSound();
}

}  // namespace
