#pragma once
// The game's sound: the one sound system, its ten effects played by name,
// and the common volume level.
#include "sound/sound_effect.h"
#include "sound/sound_system.h"

// The ten effects, in creation order.
enum class GameSound {
  CellHover,
  Notice,
  MenuHover,
  MenuClick,
  FlowerPickup,
  BonusPickup,
  Death,
  Victory,
  Lose,
  WrongWay,
};
constexpr int EffectCount = 10;
// The effects' files ("snd\death.wav"), by GameSound.
inline constexpr const char* EffectFiles[EffectCount] = {
    "snd\\cell_mouse_over.wav",
    "snd\\attention.wav",
    "snd\\menu_button_over.wav",
    "snd\\menu_button_click.wav",
    "snd\\flower_pickup.wav",
    "snd\\bonus_pickup.wav",
    "snd\\death.wav",
    "snd\\victory2.wav",
    "snd\\loose.wav",
    "snd\\wrong_way.wav",
};

struct GameSoundSet {
  SoundSystem system;
  SoundEffect effects[EffectCount];
  // 1..9; the in-game menu changes it, it is not saved between runs.
  int VolumeLevel = 4;
};
extern GameSoundSet Sound;

// The first steps of the base start-up: creates the sound system, loads the
// ten effects and applies volume level 4.
void StartSound(HWND window);
// Releases the effects and the sound system (shutdown, tests).
void StopSound();

// Sets every loaded effect to -(9 - level) x 300 hundredths of a decibel.
void ApplyVolume(int level);

SoundEffect& EffectOf(GameSound sound);
// Nothing is heard when the effect is silent (no device, a damaged file).
void PlayEffect(GameSound sound);
void PlayEffectNoRestart(GameSound sound);
