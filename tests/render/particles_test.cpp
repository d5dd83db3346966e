// Particle effects stepped by a test clock and drawn on the recording device.
#include "render/particles.h"

#include <cmath>
#include <ctime>

#include <gtest/gtest.h>

#include "platform/random.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "render/png_writer.h"
#include "render/quad_buffers.h"
#include "render/render_fixture.h"

namespace {

using rendertest::PixelConstant;
using rendertest::RenderTest;

// The runtime's generator, to predict the draws a spawn makes.
struct Generator {
  uint32_t state;
  int next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
  }
  float unit() { return next() / 32768.0f; }
};

const char kMedalSet[] =
    "pSet1 {\n"
    "  texture sparkle\n  x 1.000\n  y 0.600\n  count 4\n  lifetime 3500\n"
    "  pLifetimeMin 700\n  pLifetimeMax 1500\n  pSizeMin 0.020\n  pSizeMax 0.060\n"
    "  gravityDirectionX 0.0\n  gravityDirectionY 2.0\n  gravityPower 0.500\n"
    "  flowDirectionX 0.0\n  flowDirectionY -3.0\n  flowSpeed 0.200\n"
    "  flowDeviationMax 300\n  generateDelay 35\n  dispersion 0.100\n}\n";

int AliveCount(const ParticleSystem& system) {
  int alive = 0;
  for (const auto& particle : system.particles) alive += particle.alive;
  return alive;
}

int AliveCount(const ParticleEmitter& emitter) {
  int alive = 0;
  for (const auto& particle : emitter.particles) alive += particle.alive;
  return alive;
}

class ParticleTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    SetClockSource(TestClock);
    TestClockNow = 1000;
    Write("data/pSet1.s", kMedalSet);
    CreateUnitQuadBuffer();
    CreateBillboardQuadBuffer();
  }
  void TearDown() override {
    releaseParticleEmitters();
    ReleaseUnitQuadBuffer();
    ReleaseBillboardQuadBuffer();
    SetClockSource(nullptr);
    RenderTest::TearDown();
  }

  // Steps the system at the given time.
  template <class System>
  void StepAt(System& system, uint32_t now) {
    TestClockNow = now;
    system.update();
  }
};

TEST_F(ParticleTest, MedalSetIsReadFromItsFile) {
  ParticleSystem medal("medal");
  EXPECT_STREQ(medal.name, "medal");
  EXPECT_STREQ(medal.texture, "b_grey");
  EXPECT_EQ(medal.particles.size(), 55u);
  medal.emitting = 1;
  TestClockNow = 2000;
  medal.load("pSet1");
  EXPECT_EQ(medal.emitting, 0);
  EXPECT_EQ(medal.running, 1);
  EXPECT_EQ(medal.lastUpdate, 2000u);
  EXPECT_STREQ(medal.texture, "sparkle");
  EXPECT_FLOAT_EQ(medal.x, 1.0f);
  EXPECT_FLOAT_EQ(medal.y, 0.6f);
  EXPECT_EQ(medal.count, 4);
  EXPECT_EQ(medal.particles.size(), 4u);
  EXPECT_EQ(medal.lifetime, 3500);
  EXPECT_EQ(medal.generateDelay, 35);
  EXPECT_EQ(medal.flowDeviationMax, 300);
  // Directions are scaled to their power and speed.
  EXPECT_FLOAT_EQ(medal.flow.x, 0);
  EXPECT_FLOAT_EQ(medal.flow.y, -0.2f);
  EXPECT_FLOAT_EQ(medal.gravity.y, 0.5f);
}

TEST_F(ParticleTest, MissingOrOversizedSetsStayHarmless) {
  ParticleSystem medal("medal");
  medal.load("no_such_set");
  EXPECT_EQ(medal.count, 0);
  EXPECT_TRUE(medal.particles.empty());
  EXPECT_EQ(medal.flow, D3DXVECTOR3(0, 0, 0));
  medal.start();
  StepAt(medal, 1100);
  medal.draw();
  EXPECT_TRUE(device->Draws().empty());

  Write("data/huge.s", "huge {\n  count 2000000000\n}\n");
  medal.load("huge");
  EXPECT_EQ(medal.particles.size(), size_t(ParticleSystem::kMaxCount));
  Write("data/negative.s", "negative {\n  count -5\n}\n");
  medal.load("negative");
  EXPECT_TRUE(medal.particles.empty());
  StepAt(medal, 1200);
  EXPECT_EQ(medal.lastUpdate, 1200u);
}

TEST_F(ParticleTest, FlatSpawnFollowsTheRandomDraws) {
  ParticleSystem medal("medal");
  medal.load("pSet1");
  medal.start();
  crtSrand(4242);
  StepAt(medal, 1000);  // no time has passed: the particle is not moved yet

  Generator g{4242};
  float angle = g.next() * 0.010986328f * 0.017453292f;
  float deviation = g.next() * 300.0f / 32768.0f - 150.0f;
  uint32_t life = static_cast<uint32_t>(700 + 800 * g.unit());
  float size = 0.02f + 0.04f * g.unit();
  const FlatParticle& p = medal.particles[0];
  ASSERT_EQ(p.alive, 1);
  EXPECT_EQ(p.deathTime, 1000 + life);
  EXPECT_FLOAT_EQ(p.size, size);
  EXPECT_NEAR(p.origin.x, 1.0f + std::sin(angle) * 0.1f - 0.5f * size, 1e-6);
  EXPECT_NEAR(p.origin.y, 0.6f + std::cos(angle) * 0.1f - 0.5f * size, 1e-6);
  // The flow (0, -0.2) turned by the deviation about z.
  float turn = deviation * 0.017453292f;
  EXPECT_NEAR(p.velocity.x, 0.2f * std::sin(turn), 1e-6);
  EXPECT_NEAR(p.velocity.y, -0.2f * std::cos(turn), 1e-6);
  EXPECT_EQ(p.velocity.z, 0);
  EXPECT_EQ(medal.nextEmit, 1035u);
}

TEST_F(ParticleTest, OneParticlePerStepAndNeverBeforeNextEmit) {
  ParticleSystem medal("medal");
  medal.load("pSet1");
  medal.generateDelay = 1;
  medal.particles.assign(20, FlatParticle{});
  medal.start();
  for (int frame = 1; frame <= 10; ++frame) {
    StepAt(medal, 1000 + 16 * frame);
    EXPECT_EQ(AliveCount(medal), frame);
  }

  medal.load("pSet1");  // generateDelay 35
  medal.start();
  StepAt(medal, 3000);
  EXPECT_EQ(AliveCount(medal), 1);
  StepAt(medal, 3016);
  StepAt(medal, 3034);
  EXPECT_EQ(AliveCount(medal), 1);
  StepAt(medal, 3035);
  EXPECT_EQ(AliveCount(medal), 2);
}

TEST_F(ParticleTest, FullSlotsSpawnNothingButMoveNextEmit) {
  ParticleSystem medal("medal");
  medal.load("pSet1");  // four slots, lifetimes of at least 700 ms
  medal.start();
  for (uint32_t t = 2000; t < 2200; t += 40) StepAt(medal, t);
  ASSERT_EQ(AliveCount(medal), 4);
  std::vector<uint32_t> deaths;
  for (const auto& p : medal.particles) deaths.push_back(p.deathTime);
  StepAt(medal, 2240);
  EXPECT_EQ(AliveCount(medal), 4);
  EXPECT_EQ(medal.nextEmit, 2275u);
  for (size_t i = 0; i < deaths.size(); ++i) EXPECT_EQ(medal.particles[i].deathTime, deaths[i]);
}

TEST_F(ParticleTest, EmissionEndsAfterItsLifetimeAndParticlesLiveOn) {
  ParticleEmitter emitter(3, "b_grey");
  StepAt(emitter, 10000);
  emitter.start();  // lifetime 5000
  EXPECT_EQ(emitter.emitUntil, 15000u);
  StepAt(emitter, 10000);
  StepAt(emitter, 14999);
  EXPECT_EQ(emitter.emitting, 1);
  EXPECT_EQ(AliveCount(emitter), 2);
  StepAt(emitter, 15000);
  EXPECT_EQ(emitter.emitting, 0);
  EXPECT_EQ(emitter.emitUntil, 0u);
  EXPECT_EQ(AliveCount(emitter), 2);  // lifetimes of 6 to 7 seconds
  StepAt(emitter, 15999);
  EXPECT_EQ(AliveCount(emitter), 2);
  StepAt(emitter, 10000 + 7000);
  EXPECT_EQ(AliveCount(emitter), 1);  // the first one's time is up
  StepAt(emitter, 14999 + 7000);
  EXPECT_EQ(AliveCount(emitter), 0);
}

TEST_F(ParticleTest, ParticlesMoveThenAccelerateAndDieAtTheirDeathTime) {
  ParticleSystem medal("medal");
  medal.load("pSet1");
  medal.flow = D3DXVECTOR3(0, 0, 0);  // a file with a zero flow direction
  medal.start();
  StepAt(medal, 1000);
  FlatParticle& p = medal.particles[0];
  ASSERT_EQ(p.alive, 1);
  EXPECT_EQ(p.velocity, D3DXVECTOR3(0, 0, 0));
  medal.emitting = 0;
  // Gravity (0, 0.5): after 0.2 s the velocity is 0.1, the offset still 0.
  StepAt(medal, 1200);
  EXPECT_FLOAT_EQ(p.offset.y, 0);
  EXPECT_FLOAT_EQ(p.velocity.y, 0.1f);
  StepAt(medal, 1400);
  EXPECT_FLOAT_EQ(p.offset.y, 0.02f);
  EXPECT_FLOAT_EQ(p.velocity.y, 0.2f);
  EXPECT_FLOAT_EQ(p.offset.x, 0);

  StepAt(medal, p.deathTime - 1);
  EXPECT_EQ(p.alive, 1);
  D3DXVECTOR2 before = p.offset;
  StepAt(medal, p.deathTime);
  EXPECT_EQ(p.alive, 0);
  EXPECT_EQ(p.offset, before);
}

TEST_F(ParticleTest, AClockWrapKeepsTimingRight) {
  ParticleSystem medal("medal");
  medal.load("pSet1");  // generateDelay 35, lifetime 3500
  medal.flow = D3DXVECTOR3(0, 0, 0);
  medal.gravity = D3DXVECTOR3(0, 1, 0);
  const uint32_t t0 = 0xFFFFFFD0u;
  StepAt(medal, t0);
  medal.start();  // emitUntil lies past the wrap
  StepAt(medal, t0);
  StepAt(medal, t0 + 35);
  ASSERT_EQ(AliveCount(medal), 2);
  EXPECT_EQ(medal.nextEmit, 0x16u);  // wrapped

  // Before the wrap the next spawn is still 26 ms away, after it 6 ms.
  StepAt(medal, 0xFFFFFFFCu);
  StepAt(medal, 0x10u);
  EXPECT_EQ(medal.emitting, 1);
  EXPECT_EQ(AliveCount(medal), 2);
  // The step across the wrap is 20 ms, not a negative one: 64 ms of gravity in all.
  EXPECT_NEAR(medal.particles[0].velocity.y, 0.064f, 1e-6);
  StepAt(medal, 0x16u);
  EXPECT_EQ(AliveCount(medal), 3);
  StepAt(medal, t0 + 3499);
  EXPECT_EQ(medal.emitting, 1);
  StepAt(medal, t0 + 3500);
  EXPECT_EQ(medal.emitting, 0);
}

TEST_F(ParticleTest, SceneSprayFormsAConeAroundTheFlow) {
  ParticleEmitter up(0, "b_grey");
  up.position = D3DXVECTOR3(10, 19, -4);
  up.particles.assign(200, SceneParticle{});
  up.gravity = D3DXVECTOR3(0, 0, 0);  // keep the velocities as spawned
  up.start();
  crtSrand(20240);
  for (uint32_t t = 1000; t < 1200; ++t) StepAt(up, t);
  ASSERT_EQ(AliveCount(up), 200);
  const float low = 50 * 0.034906585f, high = 80 * 0.034906585f;
  for (const auto& p : up.particles) {
    EXPECT_NEAR(D3DXVec3Length(&p.velocity), 0.8f, 1e-4);
    float angle = std::acos(std::clamp(p.velocity.y / 0.8f, -1.0f, 1.0f));
    EXPECT_GE(angle, low - 1e-3);
    EXPECT_LE(angle, high + 1e-3);
    EXPECT_LE(std::abs(p.origin.x - 10), 0.3f + 1e-5f);
    EXPECT_LE(std::abs(p.origin.y - 19), 0.3f + 1e-5f);
    EXPECT_LE(std::abs(p.origin.z + 4), 0.3f + 1e-5f);
    EXPECT_GE(p.size, 3.5f);
    EXPECT_LT(p.size, 6.0f);
  }

  // A flow along +x turns the cone's axis onto it; the flow is kept normalised.
  ParticleEmitter side(1, "b_grey");
  side.flow = D3DXVECTOR3(3, 0, 0);
  side.start();
  crtSrand(77);
  StepAt(side, 1000);
  EXPECT_EQ(side.flow, D3DXVECTOR3(1, 0, 0));
  const auto& p = side.particles[0];
  float angle = std::acos(std::clamp(p.velocity.x / 0.8f, -1.0f, 1.0f));
  EXPECT_GE(angle, low - 1e-3);
  EXPECT_LE(angle, high + 1e-3);
}

TEST_F(ParticleTest, StartingAnEmitterSeedsFromTheCalendarTime) {
  ParticleEmitter emitter(0, "b_grey");
  std::time_t before = std::time(nullptr);
  emitter.start();
  int drawn = crtRand();
  std::time_t after = std::time(nullptr);
  Generator early{static_cast<uint32_t>(before)}, late{static_cast<uint32_t>(after)};
  EXPECT_TRUE(drawn == early.next() || drawn == late.next());
}

TEST_F(ParticleTest, EmittersAreCreatedFoundAndSortedFarToNear) {
  const uint8_t life[4] = {0x18, 0xFF, 0x00, 0xFF};
  createParticleEmitters(life);
  ASSERT_EQ(EmitterList.size(), 14u);
  for (int id = 0; id < 14; ++id) {
    ParticleEmitter* emitter = findEmitter(id);
    ASSERT_NE(emitter, nullptr);
    EXPECT_EQ(emitter, EmitterList[id].get());
    EXPECT_STREQ(emitter->texture, id < 10 ? "b_grey" : "b_grey2");
    EXPECT_EQ(emitter->colour[0], id < 10 ? 0 : 0x18);
    EXPECT_EQ(emitter->colour[1], id < 10 ? 0 : 0xFF);
  }
  EXPECT_EQ(findEmitter(14), nullptr);
  EXPECT_EQ(findEmitter(-1), nullptr);

  findEmitter(2)->position = D3DXVECTOR3(0, 0, 50);
  findEmitter(7)->position = D3DXVECTOR3(-100, 0, 0);
  findEmitter(12)->position = D3DXVECTOR3(3, 4, 0);
  sortEmittersFarToNear();
  EXPECT_EQ(EmitterList[0]->id, 7);
  EXPECT_EQ(EmitterList[1]->id, 2);
  EXPECT_EQ(EmitterList[2]->id, 12);
  for (size_t i = 1; i < EmitterList.size(); ++i)
    EXPECT_GE(D3DXVec3LengthSq(&EmitterList[i - 1]->position), D3DXVec3LengthSq(&EmitterList[i]->position));
  EXPECT_EQ(findEmitter(12)->id, 12);
}

TEST_F(ParticleTest, StoppingTheEmittersEndsEveryBurstAndItsParticles) {
  createParticleEmitters();
  ParticleEmitter& flower = *findEmitter(4);
  ParticleEmitter& life = *findEmitter(12);
  for (ParticleEmitter* emitter : {&flower, &life}) {
    emitter->start();
    for (uint32_t now = 1000; now < 1010; ++now) StepAt(*emitter, now);
    ASSERT_GT(AliveCount(*emitter), 0);
  }
  stopParticleEmitters();
  for (ParticleEmitter* emitter : {&flower, &life}) {
    EXPECT_EQ(emitter->emitting, 0);
    EXPECT_EQ(AliveCount(*emitter), 0);
    StepAt(*emitter, 1020);
    EXPECT_EQ(AliveCount(*emitter), 0);  // nothing sprays on
  }
  // A new burst after the stop sprays again.
  life.start();
  StepAt(life, 1030);
  EXPECT_EQ(AliveCount(life), 1);
}

TEST_F(ParticleTest, EmittersDrawBackToFrontAsTintedBillboards) {
  createParticleEmitters();
  for (int id : {4, 9}) {
    ParticleEmitter* emitter = findEmitter(id);
    emitter->position = D3DXVECTOR3(id == 4 ? 5.0f : 50.0f, 0, 0);
    emitter->colour[0] = 255;
    emitter->colour[3] = 128;
    emitter->start();
    StepAt(*emitter, 1000);
  }
  device->ClearLog();
  drawParticleEmitters();
  ASSERT_EQ(device->Draws().size(), 2u);
  // The far emitter (id 9) first; each particle at origin + offset with half sizes in c17.
  const auto& far = device->Draws()[0].state;
  const auto& near = device->Draws()[1].state;
  const SceneParticle& farParticle = findEmitter(9)->particles[0];
  EXPECT_FLOAT_EQ(far.vertexConstants[16][0], farParticle.origin.x + farParticle.offset.x);
  EXPECT_FLOAT_EQ(far.vertexConstants[17][0], 0.5f * farParticle.size);
  EXPECT_LT(near.vertexConstants[16][0], 10);
  EXPECT_FLOAT_EQ(far.pixelConstants[16][0], 1);
  EXPECT_NEAR(far.pixelConstants[16][3], 128 / 255.0f, 1e-6);
  EXPECT_EQ(far.renderStates[D3DRS_ZWRITEENABLE], 0u);
  EXPECT_EQ(device->State().renderStates[D3DRS_ZWRITEENABLE], 1u);
}

TEST_F(ParticleTest, MedalSparklesDrawAsInterfaceQuads) {
  std::filesystem::create_directories("textures");
  rendertest::WritePng("textures/sparkle.png", 2, 2, std::vector<uint32_t>(4, 0xFFFFFFFF));
  Textures.addTextures("sparkle");
  ParticleSystem medal("medal");
  medal.load("pSet1");
  medal.start();
  StepAt(medal, 1000);
  StepAt(medal, 1040);
  ASSERT_EQ(AliveCount(medal), 2);
  device->ClearLog();

  medal.draw();
  ASSERT_EQ(device->Draws().size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    const FlatParticle& p = medal.particles[i];
    const auto& state = device->Draws()[i].state;
    EXPECT_EQ(state.textures[0], Textures.textures[0]);
    const auto& c60 = state.vertexConstants[60];
    EXPECT_FLOAT_EQ(c60[0], p.origin.x + p.offset.x - 1.0f);
    EXPECT_FLOAT_EQ(c60[1], 0.75f - (p.origin.y + p.offset.y));
    EXPECT_FLOAT_EQ(c60[2], p.size);
    EXPECT_FLOAT_EQ(c60[3], -p.size);
    EXPECT_EQ(state.vertexConstants[61], (std::array<float, 4>{0, 0, 1, 1}));
  }

  // Dead particles and a stopped system draw nothing.
  StepAt(medal, 10000);
  device->ClearLog();
  medal.emitting = 0;
  StepAt(medal, 20000);
  medal.draw();
  EXPECT_TRUE(device->Draws().empty());
}

}  // namespace
