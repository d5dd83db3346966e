#pragma once
// Shared by the sound tests: WAV files written on the fly, the working
// folder, and measuring a loopback mix.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/dsound/dsound.h"
#include "platform/test_hooks.h"
#include "platform/files.h"
#include "support/files.h"

struct WaveFields {
  uint16_t formatTag = WAVE_FORMAT_PCM;
  uint16_t channels = 1;
  uint32_t rate = LoopbackRate;
  uint16_t blockAlign = 2;
  uint16_t bits = 16;
};

// A canonical 44-byte-header WAV. The data size field is the data's length
// unless `claimedBytes` says otherwise.
std::vector<uint8_t> CanonicalWave(const WaveFields& fields, const std::vector<uint8_t>& data,
                                   int64_t claimedBytes = -1);
std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples);
std::vector<int16_t> Sine(int frames, double frequency, double rate, double amplitude);
// Level 1000 x k during the k-th step of `stepFrames` frames: where playback
// stands can be read off the output.
std::vector<int16_t> Staircase(int steps, int stepFrames);

// The working folder of a sound test; names may use backslashes like the game's paths.
class ScratchFolder : public testfiles::WorkingFolder {
 public:
  std::string PathOf(const std::string& name) const { return File(NativePath(name)); }
  void Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    TempDir::Write(NativePath(name), std::string(bytes.begin(), bytes.end()));
  }
};

// Makes DirectSoundCreate open a loopback device while it exists.
class LoopbackDevice {
 public:
  explicit LoopbackDevice(int channels = 1) { ChooseSoundDeviceForTests(SoundDeviceChoice::Loopback, channels); }
  ~LoopbackDevice() { ChooseSoundDeviceForTests(SoundDeviceChoice::Default); }
};

class NoSoundDevice {
 public:
  NoSoundDevice() { ChooseSoundDeviceForTests(SoundDeviceChoice::Unavailable); }
  ~NoSoundDevice() { ChooseSoundDeviceForTests(SoundDeviceChoice::Default); }
};

std::vector<int16_t> Render(IDirectSound* sound, uint32_t frames, int channels = 1);
// 10 ms at the loopback rate, and one sample (the sixth) of the next 10 ms of the mix.
constexpr int MixStep = 882;
inline int16_t MixNow(IDirectSound* sound) { return Render(sound, MixStep)[5]; }
// Level of one channel of interleaved samples, in dB relative to `reference` RMS.
double LevelDb(const std::vector<int16_t>& samples, double reference, int channel = 0, int channels = 1);
double RmsOfSine(double amplitude);
