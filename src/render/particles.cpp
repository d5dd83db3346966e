#include "render/particles.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/random.h"
#include "platform/time.h"
#include "render/billboards.h"
#include "render/interface_quads.h"
#include "textfile/config_node.h"

ParticleEffects Particles;

namespace {


void CopyName(char (&target)[32], const char* source) {
  std::memset(target, 0, sizeof target);
  if (source) std::memcpy(target, source, strnlen(source, sizeof target - 1));
}

// r / 32768 for one draw of the generator: [0, 1).
float Random() { return crtRand() / 32768.0f; }

// The clock wraps every 49.7 days; times are compared by their signed
// distance, which stays right across the wrap.
bool Reached(uint32_t now, uint32_t time) { return static_cast<int32_t>(now - time) >= 0; }

// The next spawn lies at most one delay ahead of now; anything further off
// (the initial zero, a stale value) no longer holds spawning back.
bool WaitingToEmit(uint32_t nextEmit, uint32_t now, int32_t generateDelay) {
  uint32_t ahead = nextEmit - now;
  return ahead != 0 && generateDelay > 0 && ahead <= static_cast<uint32_t>(generateDelay);
}

template <class Particle>
Particle* FirstFreeSlot(std::vector<Particle>& particles, uint32_t now) {
  for (Particle& particle : particles)
    if (!particle.alive || Reached(now, particle.deathTime)) return &particle;
  return nullptr;
}

// now + a lifetime between the bounds, both read as unsigned milliseconds.
uint32_t DeathTime(uint32_t now, int32_t minimum, int32_t maximum) {
  double low = static_cast<uint32_t>(minimum), high = static_cast<uint32_t>(maximum);
  double life = std::clamp(low + (high - low) * Random(), 0.0, 4294967295.0);
  return now + static_cast<uint32_t>(life);
}

D3DXVECTOR3 ScaledTo(const D3DXVECTOR3& direction, float length) {
  D3DXVECTOR3 unit;
  D3DXVec3Normalize(&unit, &direction);
  return unit * length;
}

void Advance(FlatParticle& particle, const D3DXVECTOR3& gravity, float seconds) {
  particle.offset.x += particle.velocity.x * seconds;
  particle.offset.y += particle.velocity.y * seconds;
  particle.velocity.x += gravity.x * seconds;
  particle.velocity.y += gravity.y * seconds;
}

void Advance(SceneParticle& particle, const D3DXVECTOR3& gravity, float seconds) {
  particle.offset += particle.velocity * seconds;
  particle.velocity += gravity * seconds;
}

template <class System>
void Move(System& system, uint32_t now) {
  float seconds = static_cast<float>(now - system.lastUpdate) * 0.001f;
  for (auto& particle : system.particles) {
    if (!particle.alive) continue;
    if (Reached(now, particle.deathTime))
      particle.alive = 0;
    else
      Advance(particle, system.gravity, seconds);
  }
  system.lastUpdate = now;
}

template <class System>
bool SpawnGate(System& system, uint32_t now) {
  if (!system.emitting) return false;
  if (Reached(now, system.emitUntil)) {
    system.emitUntil = 0;
    system.emitting = 0;
    return false;
  }
  return true;
}

template <class System>
void Start(System& system) {
  system.emitUntil = timeGetTime() + static_cast<uint32_t>(system.lifetime);
  system.emitting = 1;
}

template <class System>
void Stop(System& system) {
  system.emitting = 0;
  system.emitUntil = 0;
  for (auto& particle : system.particles) {
    particle.alive = 0;
    particle.deathTime = 0;
  }
}

}  // namespace

ParticleSystem::ParticleSystem(const char* systemName)
    : particles(kDefaultCount), lastUpdate(timeGetTime()) {
  CopyName(name, systemName);
  CopyName(texture, "b_grey");
}

void ParticleSystem::load(const char* setName) {
  emitting = 0;
  emitUntil = 0;
  ConfigNode node;
  node.Load(std::string("data\\") + (setName ? setName : "") + ".s");
  CopyName(texture, node.Get("texture").AsString());
  x = node.Get("x").AsFloat();
  y = node.Get("y").AsFloat();
  count = std::min(node.Get("count").AsInt(), kMaxCount);
  lifetime = node.Get("lifetime").AsInt();
  pLifetimeMin = node.Get("pLifetimeMin").AsInt();
  pLifetimeMax = node.Get("pLifetimeMax").AsInt();
  pSizeMin = node.Get("pSizeMin").AsFloat();
  pSizeMax = node.Get("pSizeMax").AsFloat();
  gravityPower = node.Get("gravityPower").AsFloat();
  flowSpeed = node.Get("flowSpeed").AsFloat();
  flowDeviationMax = node.Get("flowDeviationMax").AsInt();
  generateDelay = node.Get("generateDelay").AsInt();
  dispersion = node.Get("dispersion").AsFloat();
  particles.assign(static_cast<size_t>(std::max(count, 0)), FlatParticle{});
  flow = ScaledTo({node.Get("flowDirectionX").AsFloat(), node.Get("flowDirectionY").AsFloat(), 0}, flowSpeed);
  gravity = ScaledTo({node.Get("gravityDirectionX").AsFloat(), node.Get("gravityDirectionY").AsFloat(), 0},
                     gravityPower);
  lastUpdate = timeGetTime();
  running = 1;
}

void ParticleSystem::start() { Start(*this); }

void ParticleSystem::stop() { Stop(*this); }

void ParticleSystem::update() {
  if (!running) return;
  uint32_t now = timeGetTime();
  if (SpawnGate(*this, now)) spawn(now);
  Move(*this, now);
}

void ParticleSystem::spawn(uint32_t now) {
  if (WaitingToEmit(nextEmit, now, generateDelay)) return;
  FlatParticle* slot = FirstFreeSlot(particles, now);
  nextEmit = now + static_cast<uint32_t>(generateDelay);
  if (!slot) return;

  float angle = D3DXToRadian(crtRand() * 0.010986328f);
  D3DXVECTOR2 spawnPoint(x + std::sin(angle) * dispersion, y + std::cos(angle) * dispersion);
  float deviation = crtRand() * static_cast<float>(flowDeviationMax) / 32768.0f - 0.5f * flowDeviationMax;
  D3DXMATRIX turn;
  D3DXMatrixRotationZ(&turn, D3DXToRadian(deviation));
  D3DXVECTOR3 velocity = ScaledTo(flow, flowSpeed);
  D3DXVec3TransformNormal(&slot->velocity, &velocity, &turn);
  slot->deathTime = DeathTime(now, pLifetimeMin, pLifetimeMax);
  slot->size = pSizeMin + (pSizeMax - pSizeMin) * Random();
  slot->origin = spawnPoint - D3DXVECTOR2(0.5f * slot->size, 0.5f * slot->size);
  slot->offset = D3DXVECTOR2();
  slot->alive = 1;
}

void ParticleSystem::draw() const {
  if (!running || count <= 0) return;
  for (const FlatParticle& particle : particles)
    if (particle.alive)
      drawQuad(texture, particle.origin.x + particle.offset.x, particle.origin.y + particle.offset.y,
               particle.size, particle.size);
}

ParticleEmitter::ParticleEmitter(int32_t emitterId, const char* textureName)
    : id(emitterId), particles(kCount), lastUpdate(timeGetTime()) {
  CopyName(texture, textureName);
}

void ParticleEmitter::start() {
  crtSrandFromTime();
  Start(*this);
}

void ParticleEmitter::stop() { Stop(*this); }

void ParticleEmitter::update() {
  if (!running) return;
  uint32_t now = timeGetTime();
  if (SpawnGate(*this, now)) spawn(now);
  Move(*this, now);
}

void ParticleEmitter::spawn(uint32_t now) {
  if (WaitingToEmit(nextEmit, now, generateDelay)) return;
  SceneParticle* slot = FirstFreeSlot(particles, now);
  nextEmit = now + static_cast<uint32_t>(generateDelay);
  if (!slot) return;

  // A point in the cube of half-size `dispersion` around the position.
  float d = dispersion;
  float dx = 2 * d * Random() - d;
  float dy = 2 * d * Random() - d;
  float dz = 2 * d * Random() - d;
  slot->origin = position + D3DXVECTOR3(dx, dy, dz);
  slot->offset = D3DXVECTOR3();

  // A direction in a cone around +y, then turned so the cone's axis is the flow.
  float phi = Random() * 6.2831855f;
  float theta = (deviationMin + Random() * static_cast<float>(deviationMax - deviationMin)) * 0.034906585f;
  D3DXVECTOR3 k(std::sin(phi) * std::sin(theta), std::cos(theta), std::cos(phi) * std::sin(theta));
  D3DXVec3Normalize(&k, &k);
  D3DXVec3Normalize(&flow, &flow);
  if (!(flow.y > 0.95f)) {
    const D3DXVECTOR3 up(0, 1, 0);
    D3DXVECTOR3 a, b;
    D3DXVec3Cross(&a, &flow, &up);
    D3DXVec3Normalize(&a, &a);
    D3DXVec3Cross(&b, &a, &flow);
    D3DXVec3Normalize(&b, &b);
    D3DXMATRIX basis(a.x, a.y, a.z, 0, flow.x, flow.y, flow.z, 0, b.x, b.y, b.z, 0, 0, 0, 0, 1);
    D3DXVec3TransformNormal(&k, &k, &basis);
  }
  slot->velocity = ScaledTo(k, flowSpeed);
  slot->deathTime = DeathTime(now, pLifetimeMin, pLifetimeMax);
  slot->size = pSizeMin + (pSizeMax - pSizeMin) * Random();
  slot->alive = 1;
}

void ParticleEmitter::draw() const {
  if (!running) return;
  beginBillboards(texture, colour);
  for (const SceneParticle& particle : particles)
    if (particle.alive) drawBillboard(particle.origin + particle.offset, particle.size, particle.size);
  endBillboards();
}

ParticleEmitter* findEmitter(int32_t id) {
  for (auto& emitter : Particles.EmitterList)
    if (emitter->id == id) return emitter.get();
  return nullptr;
}

void createParticleEmitters() {
  for (const SceneEmitter& kind : SceneEmitters) {
    auto emitter = std::make_unique<ParticleEmitter>(kind.id, kind.texture);
    if (kind.role == EmitterRole::Life) std::memcpy(emitter->colour, BurstColour(kind, 0), 4);
    Particles.EmitterList.push_back(std::move(emitter));
  }
}

void configureMedalParticles() { Particles.MedalParticles.load("pSet1"); }

void updateParticleEffects() {
  for (auto& emitter : Particles.EmitterList) emitter->update();
  Particles.MedalParticles.update();
}

void sortEmittersFarToNear() {
  std::stable_sort(Particles.EmitterList.begin(), Particles.EmitterList.end(), [](const auto& a, const auto& b) {
    return D3DXVec3LengthSq(&a->position) > D3DXVec3LengthSq(&b->position);
  });
}

void drawParticleEmitters() {
  for (const auto& emitter : Particles.EmitterList) emitter->draw();
}

void stopParticleEmitters() {
  for (auto& emitter : Particles.EmitterList) emitter->stop();
}

void releaseParticleEmitters() { Particles.EmitterList.clear(); }
