#include "sound/game_sounds.h"

static_assert(static_cast<int>(GameSound::WrongWay) + 1 == EffectCount);

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

SoundEffect& EffectOf(GameSound sound) { return Effects[static_cast<int>(sound)]; }

void PlayEffect(GameSound sound) { PlayEffect(EffectOf(sound)); }

void PlayEffectNoRestart(GameSound sound) { PlayEffectNoRestart(EffectOf(sound)); }
