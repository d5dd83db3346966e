// The WAV reader on any bytes, on a loopback sound device: an effect that
// loads is played and mixed for a moment.
#include <vector>

#include "fuzz_support.h"
#include "platform/test_hooks.h"
#include "sound/sound_effect.h"

namespace {
SoundSystem sound;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterScratchFolder();
  ChooseSoundDeviceForTests(SoundDeviceChoice::Loopback, 1);
  sound = CreateSoundSystem(nullptr);
  if (!sound.ready) __builtin_trap();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::WriteBytes("snd/fuzz.wav", data, size);
  SoundEffect effect = LoadEffect(sound, "snd\\fuzz.wav");
  if (effect.loaded) {
    PlayEffect(effect);
    std::vector<int16_t> mix(256);
    RenderLoopback(sound.device, mix.data(), static_cast<uint32_t>(mix.size()));
    PlayEffectNoRestart(effect);
    RenderLoopback(sound.device, mix.data(), static_cast<uint32_t>(mix.size()));
  }
  ReleaseEffect(effect);
  return 0;
}
