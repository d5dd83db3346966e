#pragma once
// The game's sound: the one sound system, its ten effects played by file
// name ("snd\death.wav"), and the common volume level.
#include <string>

#include "sound/sound_effect.h"
#include "sound/sound_system.h"

constexpr int EffectCount = 10;
// In creation order.
extern const char* const EffectFiles[EffectCount];

extern SoundSystem Sound;
extern SoundEffect Effects[EffectCount];
// 1..9; the in-game menu changes it, it is not saved between runs.
extern int VolumeLevel;

// The first steps of the base start-up: creates the sound system, loads the
// ten effects and applies volume level 4.
void StartSound(HWND window);
// Releases the effects and the sound system (shutdown, tests).
void StopSound();

// Sets every loaded effect to -(9 - level) x 300 hundredths of a decibel.
void ApplyVolume(int level);

// Exact, case-sensitive file name; null when it names none of the ten.
SoundEffect* FindEffect(const std::string& file);
// Play the named effect; nothing happens when it is unknown or silent.
void PlayEffect(const std::string& file);
void PlayEffectNoRestart(const std::string& file);
