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
extern const SceneEmitter SceneEmitters[SceneEmitterCount];

// Red, green, blue, alpha of the bursts by level: the flowers of level n
// burst in entry n (the levels past 9 in entry 9), lives always in entry 0.
constexpr int BurstColourCount = 10;
extern const uint8_t BurstColours[BurstColourCount][4];

// The colour the emitter bursts in during the level.
const uint8_t* BurstColour(const SceneEmitter& emitter, int levelNumber);
