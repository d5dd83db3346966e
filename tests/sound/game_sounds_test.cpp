// The game's ten effects: start-up, playing by file name, the volume level
// heard on the mix, missing files and a machine without sound.
#include "sound/game_sounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "sound_test_support.h"

namespace {
constexpr int Step = 882;  // 10 ms at the loopback rate
constexpr double Amplitude = 16384;

void WriteEffects(const ScratchFolder& folder, const std::vector<uint8_t>& file, const std::string& except = "") {
  for (const char* name : EffectFiles)
    if (name != except) folder.Write(name, file);
}

int LoadedCount() {
  return static_cast<int>(std::count_if(std::begin(Effects), std::end(Effects),
                                        [](const SoundEffect& e) { return e.loaded == 1; }));
}

bool Playing(const std::string& file) {
  uint32_t status = 0;
  SoundEffect* effect = FindEffect(file);
  if (effect && effect->buffer) effect->buffer->GetStatus(&status);
  return (status & DSBSTATUS_PLAYING) != 0;
}

class GameSoundsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    StopSound();
    VolumeLevel = 4;
  }
  int16_t Now() { return Render(Sound.device, Step)[5]; }

  ScratchFolder folder;
  LoopbackDevice loopback;
};

TEST_F(GameSoundsTest, StartSoundLoadsTheTenEffectsAtLevelFour) {
  WriteEffects(folder, CanonicalWave({}, Pcm16(Staircase(3, Step))));
  StartSound(nullptr);
  ASSERT_EQ(Sound.ready, 1);
  EXPECT_EQ(LoadedCount(), EffectCount);
  EXPECT_EQ(VolumeLevel, 4);
  for (const SoundEffect& effect : Effects) {
    int32_t volume = 0;
    ASSERT_EQ(effect.buffer->GetVolume(&volume), DS_OK);
    EXPECT_EQ(volume, -1500);
  }
  EXPECT_EQ(FindEffect("snd\\cell_mouse_over.wav"), &Effects[0]);
  EXPECT_EQ(FindEffect("snd\\wrong_way.wav"), &Effects[9]);
}

TEST_F(GameSoundsTest, VolumeLevelsGiveTheirGainsOnTheMix) {
  WriteEffects(folder, CanonicalWave({}, Pcm16(Sine(LoopbackRate, 441, LoopbackRate, Amplitude))));
  StartSound(nullptr);
  ASSERT_EQ(Sound.ready, 1);
  const struct {
    int level;
    double db;
  } levels[] = {{9, 0.0}, {4, -15.0}, {1, -24.0}};
  for (const auto& l : levels) {
    ApplyVolume(l.level);
    for (const SoundEffect& effect : Effects) {
      int32_t volume = 0;
      ASSERT_EQ(effect.buffer->GetVolume(&volume), DS_OK);
      EXPECT_EQ(volume, -(9 - l.level) * 300);
    }
    PlayEffect("snd\\victory2.wav");
    EXPECT_NEAR(LevelDb(Render(Sound.device, 8800), RmsOfSine(Amplitude)), l.db, 0.05) << l.level;
  }
}

TEST_F(GameSoundsTest, PlayingByNameRestartsOrNotAsEachCallSays) {
  WriteEffects(folder, CanonicalWave({}, Pcm16(Staircase(20, Step))));
  StartSound(nullptr);
  ApplyVolume(9);

  PlayEffect("snd\\menu_button_click.wav");
  Now();
  Now();
  PlayEffect("snd\\menu_button_click.wav");
  EXPECT_NEAR(Now(), 0, 2);
  PlayEffect("snd\\menu_button_click.wav");
  EXPECT_NEAR(Now(), 0, 2);
  FindEffect("snd\\menu_button_click.wav")->buffer->Stop();

  PlayEffectNoRestart("snd\\cell_mouse_over.wav");
  Now();
  Now();
  PlayEffectNoRestart("snd\\cell_mouse_over.wav");
  EXPECT_NEAR(Now(), 2000, 2);
}

TEST_F(GameSoundsTest, UnknownNamesFindNothingAndPlayNothing) {
  WriteEffects(folder, CanonicalWave({}, Pcm16(Staircase(2, Step))));
  StartSound(nullptr);
  EXPECT_EQ(FindEffect("snd\\music.wav"), nullptr);
  EXPECT_EQ(FindEffect("SND\\death.wav"), nullptr);
  EXPECT_EQ(FindEffect("snd/death.wav"), nullptr);
  EXPECT_EQ(FindEffect(""), nullptr);
  PlayEffect("snd\\music.wav");
  PlayEffectNoRestart("death.wav");
  for (const char* name : EffectFiles) EXPECT_FALSE(Playing(name)) << name;
}

TEST_F(GameSoundsTest, MissingDeathSoundSilencesOnlyThatEffect) {
  WriteEffects(folder, CanonicalWave({}, Pcm16(Staircase(5, Step))), "snd\\death.wav");
  StartSound(nullptr);
  ASSERT_EQ(Sound.ready, 1);
  EXPECT_EQ(LoadedCount(), EffectCount - 1);
  EXPECT_EQ(FindEffect("snd\\death.wav")->loaded, 0);
  ApplyVolume(7);
  PlayEffect("snd\\death.wav");
  EXPECT_FALSE(Playing("snd\\death.wav"));
  EXPECT_NEAR(Render(Sound.device, 2 * Step)[Step + 5], 0, 2);
  PlayEffect("snd\\flower_pickup.wav");
  EXPECT_TRUE(Playing("snd\\flower_pickup.wav"));
}

TEST(GameSoundsSilentTest, NoDeviceRunsSilently) {
  ScratchFolder folder;
  WriteEffects(folder, CanonicalWave({}, Pcm16(Staircase(2, Step))));
  NoSoundDevice none;
  StartSound(nullptr);
  EXPECT_EQ(Sound.ready, 0);
  EXPECT_EQ(LoadedCount(), 0);
  for (int level = 1; level <= 9; ++level) ApplyVolume(level);
  for (const char* name : EffectFiles) {
    PlayEffect(name);
    PlayEffectNoRestart(name);
    EXPECT_EQ(FindEffect(name)->buffer, nullptr);
  }
  StopSound();
}

// Whatever device the environment gives (ALSOFT_DRIVERS=null opens a silent
// one; none at all on a machine without sound), start-up must not fail.
TEST(GameSoundsDefaultDeviceTest, StartsOnTheDefaultDeviceOrSilently) {
  ScratchFolder folder;
  WriteEffects(folder, CanonicalWave({}, Pcm16(Staircase(2, Step))));
  StartSound(nullptr);
  EXPECT_EQ(LoadedCount(), Sound.ready ? EffectCount : 0);
  PlayEffect("snd\\attention.wav");
  PlayEffectNoRestart("snd\\cell_mouse_over.wav");
  StopSound();
}

TEST(GameSoundsContentTest, TheGamesOwnEffectsLoadAndAreHeard) {
  const std::filesystem::path game = KESTRIN_GAME_DIR;
  for (const char* name : EffectFiles) {
    std::string native = name;
    std::replace(native.begin(), native.end(), '\\', '/');
    if (!std::filesystem::exists(game / native)) GTEST_SKIP() << "game sounds not generated";
  }
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(game);
  {
    LoopbackDevice loopback;
    StartSound(nullptr);
    ApplyVolume(9);
    EXPECT_EQ(LoadedCount(), EffectCount);
    for (const char* name : EffectFiles) {
      PlayEffect(name);
      std::vector<int16_t> mix = Render(Sound.device, LoopbackRate);
      int peak = 0;
      for (int16_t s : mix) peak = std::max(peak, std::abs(static_cast<int>(s)));
      EXPECT_GT(peak, 1000) << name;
      FindEffect(name)->buffer->Stop();
    }
    StopSound();
  }
  std::filesystem::current_path(previous);
}
}  // namespace
