#include "sound/game_sounds.h"

static_assert(static_cast<int>(GameSound::WrongWay) + 1 == EffectCount);

GameSoundSet Sound;

void StartSound(HWND window) {
  StopSound();
  Sound.system = CreateSoundSystem(window);
  for (int i = 0; i < EffectCount; ++i) Sound.effects[i] = LoadEffect(Sound.system, EffectFiles[i]);
  ApplyVolume(4);
}

void StopSound() {
  for (SoundEffect& effect : Sound.effects) ReleaseEffect(effect);
  ReleaseSoundSystem(Sound.system);
}

void ApplyVolume(int level) {
  for (SoundEffect& effect : Sound.effects)
    if (effect.loaded) effect.buffer->SetVolume(-(9 - level) * 300);
}

SoundEffect& EffectOf(GameSound sound) { return Sound.effects[static_cast<int>(sound)]; }

void PlayEffect(GameSound sound) { PlayEffect(EffectOf(sound)); }

void PlayEffectNoRestart(GameSound sound) { PlayEffectNoRestart(EffectOf(sound)); }
