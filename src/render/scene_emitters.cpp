#include "render/scene_emitters.h"

#include <algorithm>

const uint8_t* BurstColour(const SceneEmitter& emitter, int levelNumber) {
  if (emitter.role == EmitterRole::Life) return BurstColours[0];
  return BurstColours[std::clamp(levelNumber, 0, BurstColourCount - 1)];
}
