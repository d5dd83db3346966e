#pragma once
// The DirectSound device with its primary buffer, made once at start-up.
#include "platform/dsound/dsound.h"

struct SoundSystem {
  IDirectSound* device = nullptr;
  IDirectSoundBuffer* primary = nullptr;
  DSBUFFERDESC primaryDesc{};
  int ready = 0;  // 1 only when every step of the set-up succeeded
};

// Never fails visibly: without a usable device `ready` stays 0 and every
// effect is silent.
SoundSystem CreateSoundSystem(HWND window);
void ReleaseSoundSystem(SoundSystem& system);
