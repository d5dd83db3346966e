#pragma once
// One effect sound: a canonical 44-byte-header WAV file in a static buffer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sound/sound_system.h"

constexpr size_t WaveHeaderSize = 44;
// Far above any effect (3 s of 16-bit stereo at 88200 Hz is about 1 MB); a
// header claiming more is taken as damaged.
constexpr uint32_t MaxEffectBytes = 16u << 20;

struct SoundEffect {
  uint8_t loaded = 0;
  uint8_t looping = 0;
  IDirectSoundBuffer* buffer = nullptr;
  uint8_t header[WaveHeaderSize] = {};
};

// A file that is missing, damaged or in a format the device refuses gives a
// silent effect (`loaded` 0).
SoundEffect LoadEffect(const SoundSystem& system, const std::string& path);
// Stops and rewinds first, so a playing effect starts again from its start.
void PlayEffect(SoundEffect& effect);
// Leaves a still-playing effect alone.
void PlayEffectNoRestart(SoundEffect& effect);
void ReleaseEffect(SoundEffect& effect);
