// The DirectSound stand-in: its failure points, buffer handling and what it
// actually mixes, measured on a loopback device.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/dsound/dsound.h"
#include "platform/test_hooks.h"
#include "sound_test_support.h"

namespace {
WAVEFORMATEX Format(const WaveFields& f) {
  return WAVEFORMATEX{f.formatTag, f.channels, f.rate, f.rate * f.blockAlign, f.blockAlign, f.bits, 0};
}

DSBUFFERDESC SecondaryDesc(WAVEFORMATEX* format, uint32_t bytes) {
  DSBUFFERDESC desc{};
  desc.dwSize = DSBUFFERDESC_SIZE32;
  desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_LOCSOFTWARE | DSBCAPS_CTRLVOLUME;
  desc.dwBufferBytes = bytes;
  desc.lpwfxFormat = format;
  return desc;
}

class DirectSoundTest : public ::testing::Test {
 protected:
  void Open(int channels = 1) {
    ChooseSoundDeviceForTests(SoundDeviceChoice::Loopback, channels);
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    ASSERT_EQ(sound->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
  }
  void TearDown() override {
    if (buffer) buffer->Release();
    if (sound) sound->Release();
    ChooseSoundDeviceForTests(SoundDeviceChoice::Default);
  }
  // A buffer holding `bytes`, written through Lock and Unlock.
  IDirectSoundBuffer* Filled(const std::vector<uint8_t>& bytes, WaveFields fields = {}) {
    WAVEFORMATEX format = Format(fields);
    DSBUFFERDESC desc = SecondaryDesc(&format, static_cast<uint32_t>(bytes.size()));
    IDirectSoundBuffer* made = nullptr;
    EXPECT_EQ(sound->CreateSoundBuffer(&desc, &made, nullptr), DS_OK);
    if (!made) return nullptr;
    void* part1 = nullptr;
    void* part2 = nullptr;
    uint32_t bytes1 = 0, bytes2 = 0;
    EXPECT_EQ(made->Lock(0, 0, &part1, &bytes1, &part2, &bytes2, DSBLOCK_ENTIREBUFFER), DS_OK);
    EXPECT_EQ(bytes1, bytes.size());
    std::memcpy(part1, bytes.data(), bytes1);
    EXPECT_EQ(made->Unlock(part1, bytes1, part2, bytes2), DS_OK);
    return made;
  }
  uint32_t Status() {
    uint32_t status = 0;
    EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
    return status;
  }
  uint32_t Position() {
    uint32_t play = 0;
    EXPECT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
    return play;
  }

  IDirectSound* sound = nullptr;
  IDirectSoundBuffer* buffer = nullptr;
};

TEST_F(DirectSoundTest, StereoAndEightBitDataKeepTheirLevel) {
  Open(1);
  std::vector<int16_t> sine = Sine(44100, 441, 44100, 8000);
  std::vector<int16_t> stereo;
  for (int16_t s : sine) stereo.insert(stereo.end(), {s, s});
  buffer = Filled(Pcm16(stereo), {WAVE_FORMAT_PCM, 2, 44100, 4, 16});
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_NEAR(LevelDb(Render(sound, 8800), RmsOfSine(8000)), 0.0, 0.05);
  buffer->Release();

  std::vector<uint8_t> eightBit;
  for (int16_t s : sine) eightBit.push_back(static_cast<uint8_t>(128 + s / 256));
  buffer = Filled(eightBit, {WAVE_FORMAT_PCM, 1, 44100, 1, 8});
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_NEAR(LevelDb(Render(sound, 8800), RmsOfSine(8000)), 0.0, 0.3);
}

TEST_F(DirectSoundTest, PlayStopAndPositionBehaveLikeDirectSound) {
  Open();
  const int step = 882;  // 10 ms
  buffer = Filled(Pcm16(Staircase(20, step)));
  EXPECT_EQ(Status(), 0u);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_EQ(Status(), DSBSTATUS_PLAYING);
  Render(sound, 3 * step);
  EXPECT_EQ(Position(), 3u * step * 2);

  // Play on a playing buffer does not restart it.
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_NEAR(Render(sound, 10)[5], 3000, 2);

  // Stop keeps the position; Play goes on from there.
  ASSERT_EQ(buffer->Stop(), DS_OK);
  EXPECT_EQ(Status(), 0u);
  EXPECT_NEAR(Render(sound, 10)[5], 0, 2);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_NEAR(Render(sound, 10)[5], 3000, 2);

  // A new position applies while playing and when stopped.
  ASSERT_EQ(buffer->SetCurrentPosition(7 * step * 2), DS_OK);
  EXPECT_NEAR(Render(sound, 10)[5], 7000, 2);
  ASSERT_EQ(buffer->Stop(), DS_OK);
  ASSERT_EQ(buffer->SetCurrentPosition(0), DS_OK);
  EXPECT_EQ(Position(), 0u);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_NEAR(Render(sound, 10)[5], 0, 2);
  ASSERT_EQ(buffer->Stop(), DS_OK);
  ASSERT_EQ(buffer->SetCurrentPosition(12 * step * 2), DS_OK);
  EXPECT_EQ(Position(), 12u * step * 2);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_NEAR(Render(sound, 10)[5], 12000, 2);
  EXPECT_EQ(buffer->SetCurrentPosition(20 * step * 2), DSERR_INVALIDPARAM);

  // Played once to the end, it stops; played again, it starts over.
  Render(sound, 20 * step);
  EXPECT_EQ(Status(), 0u);
  EXPECT_NEAR(Render(sound, 10)[5], 0, 2);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  std::vector<int16_t> again = Render(sound, 2 * step);
  EXPECT_NEAR(again[5], 0, 2);
  EXPECT_NEAR(again[step + 5], 1000, 2);

  ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  EXPECT_EQ(Status(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
}

TEST_F(DirectSoundTest, VolumeIsHundredthsOfADecibel) {
  Open();
  const double amplitude = 16384;
  buffer = Filled(Pcm16(Sine(LoopbackRate, 441, LoopbackRate, amplitude)));
  for (int32_t volume : {0, -600, -1500, -2400}) {
    // Changed while playing, OpenAL glides to the new gain; stopped, it applies at once.
    ASSERT_EQ(buffer->Stop(), DS_OK);
    ASSERT_EQ(buffer->SetVolume(volume), DS_OK);
    int32_t read = 1;
    ASSERT_EQ(buffer->GetVolume(&read), DS_OK);
    EXPECT_EQ(read, volume);
    ASSERT_EQ(buffer->SetCurrentPosition(0), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_NEAR(LevelDb(Render(sound, 8800), RmsOfSine(amplitude)), volume / 100.0, 0.05) << volume;
  }
  EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->SetVolume(DSBVOLUME_MIN - 1), DSERR_INVALIDPARAM);

  WAVEFORMATEX format = Format({});
  DSBUFFERDESC desc = SecondaryDesc(&format, 100);
  desc.dwFlags = DSBCAPS_STATIC;
  IDirectSoundBuffer* plain = nullptr;
  ASSERT_EQ(sound->CreateSoundBuffer(&desc, &plain, nullptr), DS_OK);
  EXPECT_EQ(plain->SetVolume(-100), DSERR_CONTROLUNAVAIL);
  plain->Release();
}

TEST_F(DirectSoundTest, BuffersOutliveTheirDevice) {
  Open();
  buffer = Filled(Pcm16(Sine(8800, 441, LoopbackRate, 1000)));
  EXPECT_EQ(sound->Release(), 0u);
  sound = nullptr;
  EXPECT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_EQ(buffer->Stop(), DS_OK);
}
}  // namespace
