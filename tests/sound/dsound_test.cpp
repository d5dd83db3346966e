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

TEST(DirectSoundCreateTest, FailsWithoutADeviceAndOnBadArguments) {
  IDirectSound* sound = reinterpret_cast<IDirectSound*>(1);
  {
    NoSoundDevice none;
    EXPECT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(sound, nullptr);
  }
  LoopbackDevice loopback;
  EXPECT_EQ(DirectSoundCreate(nullptr, nullptr, nullptr), DSERR_INVALIDPARAM);
  GUID other{1, 2, 3, {4}};
  EXPECT_EQ(DirectSoundCreate(&other, &sound, nullptr), DSERR_NODRIVER);
  ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
  EXPECT_EQ(sound->SetCooperativeLevel(nullptr, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(sound->SetCooperativeLevel(nullptr, 7), DSERR_INVALIDPARAM);
  EXPECT_EQ(sound->Release(), 0u);
}

TEST_F(DirectSoundTest, PrimaryBufferNeedsPriorityLevelAndLoopingPlay) {
  ChooseSoundDeviceForTests(SoundDeviceChoice::Loopback);
  ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
  DSBUFFERDESC desc{};
  desc.dwSize = DSBUFFERDESC_SIZE32;
  desc.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
  ASSERT_EQ(sound->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
  WAVEFORMATEX format = Format({WAVE_FORMAT_PCM, 1, 88200, 2, 16});
  EXPECT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DSERR_PRIOLEVELNEEDED);
  ASSERT_EQ(sound->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
  EXPECT_EQ(buffer->SetFormat(&format), DSERR_PRIOLEVELNEEDED);
  ASSERT_EQ(sound->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
  EXPECT_EQ(buffer->SetFormat(&format), DS_OK);
  format.nChannels = 0;
  EXPECT_TRUE(FAILED(buffer->SetFormat(&format)));
  EXPECT_EQ(buffer->Play(0, 0, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(Status(), 0u);
  EXPECT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  EXPECT_EQ(Status(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
  void* part = nullptr;
  uint32_t bytes = 0;
  EXPECT_EQ(buffer->Lock(0, 0, &part, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DSERR_INVALIDCALL);

  desc.dwBufferBytes = 100;
  IDirectSoundBuffer* sized = nullptr;
  EXPECT_EQ(sound->CreateSoundBuffer(&desc, &sized, nullptr), DSERR_INVALIDPARAM);
  EXPECT_EQ(sized, nullptr);
}

TEST_F(DirectSoundTest, SecondaryBufferRefusesWhatDirectSoundRefuses) {
  Open();
  struct Case {
    const char* what;
    WaveFields fields;
    uint32_t bytes;
  };
  const Case cases[] = {
      {"float samples", {3, 1, 44100, 4, 32}, 400},
      {"no channels", {1, 0, 44100, 2, 16}, 400},
      {"three channels", {1, 3, 44100, 6, 16}, 600},
      {"rate 0", {1, 1, 0, 2, 16}, 400},
      {"rate below range", {1, 1, 50, 2, 16}, 400},
      {"rate above range", {1, 1, 400000, 2, 16}, 400},
      {"block align 0", {1, 1, 44100, 0, 16}, 400},
      {"block align not the frame size", {1, 2, 44100, 2, 16}, 400},
      {"12 bits", {1, 1, 44100, 2, 12}, 400},
      {"24 bits", {1, 1, 44100, 3, 24}, 300},
      {"no data", {}, 0},
      {"less than the minimum", {}, 2},
      {"beyond the maximum", {}, DSBSIZE_MAX + 1},
  };
  for (const Case& c : cases) {
    WAVEFORMATEX format = Format(c.fields);
    DSBUFFERDESC desc = SecondaryDesc(&format, c.bytes);
    IDirectSoundBuffer* made = nullptr;
    EXPECT_TRUE(FAILED(sound->CreateSoundBuffer(&desc, &made, nullptr))) << c.what;
    EXPECT_EQ(made, nullptr) << c.what;
  }
  DSBUFFERDESC noFormat = SecondaryDesc(nullptr, 400);
  EXPECT_EQ(sound->CreateSoundBuffer(&noFormat, &buffer, nullptr), DSERR_INVALIDPARAM);
  WAVEFORMATEX format = Format({});
  DSBUFFERDESC badSize = SecondaryDesc(&format, 400);
  badSize.dwSize = 20 + 3;
  EXPECT_EQ(sound->CreateSoundBuffer(&badSize, &buffer, nullptr), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer, nullptr);
}

TEST_F(DirectSoundTest, LockHandsOutTheBufferWrappingAtItsEnd) {
  Open();
  buffer = Filled(std::vector<uint8_t>(10, 0));
  ASSERT_NE(buffer, nullptr);
  void* part1 = nullptr;
  void* part2 = nullptr;
  uint32_t bytes1 = 0, bytes2 = 0;
  ASSERT_EQ(buffer->Lock(6, 8, &part1, &bytes1, &part2, &bytes2, 0), DS_OK);
  EXPECT_EQ(bytes1, 4u);
  EXPECT_EQ(bytes2, 4u);
  EXPECT_EQ(static_cast<uint8_t*>(part1) - static_cast<uint8_t*>(part2), 6);
  EXPECT_EQ(buffer->Unlock(part1, bytes1, part2, bytes2), DS_OK);
  EXPECT_EQ(buffer->Lock(10, 2, &part1, &bytes1, &part2, &bytes2, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->Lock(0, 11, &part1, &bytes1, &part2, &bytes2, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->Lock(0, 0, &part1, &bytes1, &part2, &bytes2, 0), DSERR_INVALIDPARAM);
  int outside = 0;
  EXPECT_EQ(buffer->Unlock(&outside, 2, nullptr, 0), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, MixesMonoDataAtFullLevelOnMonoAndStereoDevices) {
  const double amplitude = 16384;
  for (int channels : {1, 2}) {
    SCOPED_TRACE(channels);
    Open(channels);
    buffer = Filled(Pcm16(Sine(LoopbackRate, 441, LoopbackRate, amplitude)));
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    std::vector<int16_t> mix = Render(sound, 8800, channels);
    for (int c = 0; c < channels; ++c) EXPECT_NEAR(LevelDb(mix, RmsOfSine(amplitude), c, channels), 0.0, 0.05);
    TearDown();
    buffer = nullptr;
    sound = nullptr;
  }
}

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
