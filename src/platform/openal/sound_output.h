#pragma once
// For the DirectSound stand-in only: the OpenAL device and context shared by
// a DirectSound object and its buffers, so either may be released first.
#include <AL/al.h>
#include <AL/alc.h>

#include <cstdint>
#include <memory>

struct SoundOutput {
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  // Channels of a loopback device; 0 for a real device, whose layout OpenAL
  // does not report (taken as stereo or wider).
  int loopbackChannels = 0;
  uint32_t cooperativeLevel = 0;

  SoundOutput() = default;
  SoundOutput(const SoundOutput&) = delete;
  SoundOutput& operator=(const SoundOutput&) = delete;
  ~SoundOutput();

  // Several outputs may exist at once (tests); AL calls go to the current one.
  void MakeCurrent() const;
  bool MonoOutput() const { return loopbackChannels == 1; }
};

std::shared_ptr<SoundOutput> OpenSoundOutput();
