#pragma once
// Particle effects. An emitter, while switched on, spawns particles at a fixed
// rate; each flies with its velocity under a constant gravity and dies after
// a random lifetime. All timing is by timeGetTime, so the speed does not
// depend on the frame rate.
//
// ParticleSystem: flat, in interface units, drawn as interface quads (the
// sparkles of the medal screen). ParticleEmitter: in the scene, drawn as
// camera-facing billboards (flowers taken, lives lost).
#include <cstdint>
#include <memory>
#include <vector>

#include "d3dutil/math.h"
#include "render/scene_emitters.h"

struct FlatParticle {
  uint32_t deathTime = 0;
  D3DXVECTOR2 origin, offset;
  float size = 0;
  D3DXVECTOR3 velocity;  // z stays 0
  uint8_t alive = 0;
};

struct SceneParticle {
  uint32_t deathTime = 0;
  D3DXVECTOR3 origin, offset;
  float size = 0;
  D3DXVECTOR3 velocity;
  uint8_t alive = 0;
};

struct ParticleSystem {
  static constexpr int32_t kDefaultCount = 55;
  // A particle set file cannot ask for more particles than this.
  static constexpr int32_t kMaxCount = 4096;

  char name[32] = {};
  char texture[32] = {};
  float x = 0, y = 0;  // spawn centre
  uint8_t emitting = 0;
  uint8_t running = 1;
  uint32_t emitUntil = 0;
  std::vector<FlatParticle> particles;
  uint32_t lastUpdate = 0;
  uint32_t nextEmit = 0;
  int32_t count = kDefaultCount;
  int32_t lifetime = 100000;  // ms of emission after start()
  int32_t pLifetimeMin = 800, pLifetimeMax = 17000;
  float pSizeMin = 0.1f, pSizeMax = 0.2f;
  D3DXVECTOR3 gravity{0, 0, 0};  // units per second squared
  D3DXVECTOR3 flow{0, 0.01f, 0};  // units per second
  float gravityPower = 0;
  float flowSpeed = 0.01f;
  int32_t flowDeviationMax = 90;  // degrees
  int32_t generateDelay = 1;      // ms between two spawns
  float dispersion = 0.02f;       // spawn radius

  explicit ParticleSystem(const char* systemName);

  // Reads "data\<setName>.s"; a missing key reads as zero, so a missing file
  // gives an effect without particles.
  void load(const char* setName);
  void start();
  // Stops spraying; every particle vanishes at once.
  void stop();
  // Spawns at most one particle, then moves them all.
  void update();
  void draw() const;

 private:
  void spawn(uint32_t now);
};

struct ParticleEmitter {
  static constexpr int32_t kCount = 15;

  int32_t id = 0;
  char texture[32] = {};
  D3DXVECTOR3 position;  // world units
  uint8_t emitting = 0;
  uint8_t running = 1;
  uint32_t emitUntil = 0;
  std::vector<SceneParticle> particles;
  uint32_t lastUpdate = 0;
  uint32_t nextEmit = 0;
  int32_t count = kCount;
  int32_t lifetime = 5000;
  int32_t pLifetimeMin = 6000, pLifetimeMax = 7000;
  float pSizeMin = 3.5f, pSizeMax = 6.0f;
  D3DXVECTOR3 gravity{0, -0.1f, 0};
  D3DXVECTOR3 flow{0, 0.8f, 0};  // normalised by the first spawn
  float gravityPower = 0.1f;
  float flowSpeed = 0.8f;
  int32_t deviationMin = 50, deviationMax = 80;  // cone of the spray
  int32_t generateDelay = 1;
  float dispersion = 0.3f;  // half-size of the spawn cube
  uint8_t colour[4] = {};   // red, green, blue, alpha: the tint of the batch

  ParticleEmitter(int32_t emitterId, const char* textureName);

  // Also seeds the random generator from the calendar time.
  void start();
  // Stops spraying; every particle vanishes at once.
  void stop();
  void update();
  void draw() const;

 private:
  void spawn(uint32_t now);
};

struct ParticleEffects {
  // The fourteen scene emitters of SceneEmitters, in its order until the round
  // sorts them.
  std::vector<std::unique_ptr<ParticleEmitter>> EmitterList;
  // The sparkles of the medal screen, configured from "pSet1".
  ParticleSystem MedalParticles{"medal"};
};
extern ParticleEffects Particles;

// The first emitter with this id, or null.
ParticleEmitter* findEmitter(int32_t id);

// Start-up: the fourteen emitters; the life emitters take their colour, the
// flowers' wait for their level's.
void createParticleEmitters();
// Start-up: Particles.MedalParticles from "data\pSet1.s".
void configureMedalParticles();

// Every emitter in list order, then Particles.MedalParticles.
void updateParticleEffects();
// Farthest from the world origin first, so that billboards drawn without
// depth writes overlap correctly. The list keeps this order; the round sorts
// it once its bursts are placed, before the frame is drawn.
void sortEmittersFarToNear();
// Every emitter in list order.
void drawParticleEmitters();

// A round start: every scene emitter stops spraying and its particles
// vanish, so no burst of the last attempt plays on into the new one.
void stopParticleEmitters();

// Shutdown.
void releaseParticleEmitters();
