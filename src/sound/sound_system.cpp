#include "sound/sound_system.h"

namespace {
WAVEFORMATEX PrimaryFormat() {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = 88200;
  format.nAvgBytesPerSec = 176400;
  format.nBlockAlign = 2;
  format.wBitsPerSample = 16;
  format.cbSize = 0;
  return format;
}
}  // namespace

SoundSystem CreateSoundSystem(HWND window) {
  SoundSystem system;
  system.primaryDesc.dwSize = DSBUFFERDESC_SIZE32;
  system.primaryDesc.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
  if (FAILED(DirectSoundCreate(nullptr, &system.device, nullptr))) return system;
  if (FAILED(system.device->SetCooperativeLevel(window, DSSCL_PRIORITY))) return system;
  if (FAILED(system.device->CreateSoundBuffer(&system.primaryDesc, &system.primary, nullptr))) return system;
  const WAVEFORMATEX format = PrimaryFormat();
  if (FAILED(system.primary->SetFormat(&format))) return system;
  if (SUCCEEDED(system.primary->Play(0, 0, DSBPLAY_LOOPING))) system.ready = 1;
  return system;
}

void ReleaseSoundSystem(SoundSystem& system) {
  if (system.primary) system.primary->Release();
  if (system.device) system.device->Release();
  system.primary = nullptr;
  system.device = nullptr;
  system.ready = 0;
}
