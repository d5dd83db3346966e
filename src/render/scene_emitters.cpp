#include "render/scene_emitters.h"

#include <algorithm>

const SceneEmitter SceneEmitters[SceneEmitterCount] = {
    {0, EmitterRole::Flower, "b_grey"},  {1, EmitterRole::Flower, "b_grey"},  {2, EmitterRole::Flower, "b_grey"},
    {3, EmitterRole::Flower, "b_grey"},  {4, EmitterRole::Flower, "b_grey"},  {5, EmitterRole::Flower, "b_grey"},
    {6, EmitterRole::Flower, "b_grey"},  {7, EmitterRole::Flower, "b_grey"},  {8, EmitterRole::Flower, "b_grey"},
    {9, EmitterRole::Flower, "b_grey"},  {10, EmitterRole::Life, "b_grey2"}, {11, EmitterRole::Life, "b_grey2"},
    {12, EmitterRole::Life, "b_grey2"}, {13, EmitterRole::Life, "b_grey2"},
};

const uint8_t BurstColours[BurstColourCount][4] = {
    {0x18, 0xFF, 0x00, 0xFF}, {0x1E, 0x5E, 0xD7, 0x80}, {0xFF, 0x8B, 0x4F, 0x80}, {0xFF, 0xB3, 0x4F, 0x80},
    {0x1C, 0xB3, 0xFC, 0x80}, {0xFF, 0x4D, 0x87, 0x80}, {0xFF, 0x3E, 0x0D, 0x80}, {0xFF, 0xB3, 0x00, 0x80},
    {0x5E, 0x4D, 0xFC, 0x80}, {0xFF, 0xFF, 0x00, 0x80},
};

const uint8_t* BurstColour(const SceneEmitter& emitter, int levelNumber) {
  if (emitter.role == EmitterRole::Life) return BurstColours[0];
  return BurstColours[std::clamp(levelNumber, 0, BurstColourCount - 1)];
}
