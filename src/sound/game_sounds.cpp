#include "sound/game_sounds.h"

const char* const EffectFiles[EffectCount] = {
    "snd\\cell_mouse_over.wav", "snd\\attention.wav",     "snd\\menu_button_over.wav", "snd\\menu_button_click.wav",
    "snd\\flower_pickup.wav",   "snd\\bonus_pickup.wav",  "snd\\death.wav",            "snd\\victory2.wav",
    "snd\\loose.wav",           "snd\\wrong_way.wav",
};

SoundSystem Sound;
SoundEffect Effects[EffectCount];
int VolumeLevel = 4;

void StartSound(HWND window) {
  StopSound();
  Sound = CreateSoundSystem(window);
  for (int i = 0; i < EffectCount; ++i) Effects[i] = LoadEffect(Sound, EffectFiles[i]);
  ApplyVolume(4);
}

void StopSound() {
  for (SoundEffect& effect : Effects) ReleaseEffect(effect);
  ReleaseSoundSystem(Sound);
}

void ApplyVolume(int level) {
  for (SoundEffect& effect : Effects)
    if (effect.loaded) effect.buffer->SetVolume(-(9 - level) * 300);
}

SoundEffect* FindEffect(const std::string& file) {
  for (int i = 0; i < EffectCount; ++i)
    if (file == EffectFiles[i]) return &Effects[i];
  return nullptr;
}

void PlayEffect(const std::string& file) {
  if (SoundEffect* effect = FindEffect(file)) PlayEffect(*effect);
}

void PlayEffectNoRestart(const std::string& file) {
  if (SoundEffect* effect = FindEffect(file)) PlayEffectNoRestart(*effect);
}
