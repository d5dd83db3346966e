#pragma once
// The ten effect sounds of the game, each synthesised from scratch.
#include <cstdint>
#include <string>
#include <vector>

struct Effect {
  std::string file;  // name inside the snd folder
  std::vector<int16_t> samples;
};

std::vector<Effect> MakeEffects();
