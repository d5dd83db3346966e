// The system's DirectSound: with a sound device (under Wine, ALSA's null
// device) a menu click plays; without one the game is silent and carries on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/window.h"
#include "sound/game_sounds.h"

TEST(SystemSound, AMenuClickPlaysWhereThereIsADeviceAndNothingBreaksWhereThereIsNone) {
  const bool deviceGiven = std::getenv("KESTRIN_SOUND_DEVICE") != nullptr;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(KESTRIN_GAME_DIR);
  HWND window = CreatePlatformWindow("Kestrin", 64, 48, false);
  ASSERT_NE(window, nullptr);
  StartSound(window);
  EXPECT_EQ(Sound.system.ready, deviceGiven ? 1 : 0);
  PlayEffect(GameSound::MenuClick);
  SoundEffect& click = EffectOf(GameSound::MenuClick);
  EXPECT_EQ(click.loaded, deviceGiven ? 1 : 0);
  if (click.loaded) {
    uint32_t status = 0;
    ASSERT_EQ(click.buffer->GetStatus(&status), DS_OK);
    EXPECT_TRUE(status & DSBSTATUS_PLAYING);
  }
  ApplyVolume(9);
  StopSound();
  DestroyWindow(window);
  std::filesystem::current_path(previous);
}
