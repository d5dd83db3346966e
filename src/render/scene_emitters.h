#pragma once
// The fourteen particle emitters of the scene, each sprays one burst at a
// time: ten for flowers (the k-th flower taken in an attempt bursts emitter
// k - 1) and four for lives (a bomb bursts LastLifeEmitter - lives left).
#include <cstdint>

enum class EmitterRole { Flower, Life };

struct SceneEmitter {
  int32_t id;
  EmitterRole role;
  const char* texture;
};

constexpr int32_t SceneEmitterCount = 14;
constexpr int32_t LastLifeEmitter = 13;
// In id order.
inline constexpr SceneEmitter SceneEmitters[SceneEmitterCount] = {
    {0, EmitterRole::Flower, "b_grey"}, {1, EmitterRole::Flower, "b_grey"}, {2, EmitterRole::Flower, "b_grey"},
    {3, EmitterRole::Flower, "b_grey"}, {4, EmitterRole::Flower, "b_grey"}, {5, EmitterRole::Flower, "b_grey"},
    {6, EmitterRole::Flower, "b_grey"}, {7, EmitterRole::Flower, "b_grey"}, {8, EmitterRole::Flower, "b_grey"},
    {9, EmitterRole::Flower, "b_grey"}, {10, EmitterRole::Life, "b_grey2"}, {11, EmitterRole::Life, "b_grey2"},
    {12, EmitterRole::Life, "b_grey2"}, {13, EmitterRole::Life, "b_grey2"},
};

// Red, green, blue, alpha of the bursts by level: the flowers of level n
// burst in entry n (the levels past 9 in entry 9), lives always in entry 0.
constexpr int BurstColourCount = 10;
inline constexpr uint8_t BurstColours[BurstColourCount][4] = {
    {0x18, 0xFF, 0x00, 0xFF}, {0x1E, 0x5E, 0xD7, 0x80}, {0xFF, 0x8B, 0x4F, 0x80}, {0xFF, 0xB3, 0x4F, 0x80},
    {0x1C, 0xB3, 0xFC, 0x80}, {0xFF, 0x4D, 0x87, 0x80}, {0xFF, 0x3E, 0x0D, 0x80}, {0xFF, 0xB3, 0x00, 0x80},
    {0x5E, 0x4D, 0xFC, 0x80}, {0xFF, 0xFF, 0x00, 0x80},
};

// The colour the emitter bursts in during the level.
const uint8_t* BurstColour(const SceneEmitter& emitter, int levelNumber);
