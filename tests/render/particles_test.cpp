// Particle effects stepped by a test clock and drawn on the recording device.
#include "render/particles.h"

#include <ctime>

#include <gtest/gtest.h>

#include "platform/random.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "support/png.h"
#include "render/quad_buffers.h"
#include "support/recording.h"

namespace {

using rendertest::RenderTest;

const char kMedalSet[] =
    "pSet1 {\n"
    "  texture sparkle\n  x 1.000\n  y 0.600\n  count 4\n  lifetime 3500\n"
    "  pLifetimeMin 700\n  pLifetimeMax 1500\n  pSizeMin 0.020\n  pSizeMax 0.060\n"
    "  gravityDirectionX 0.0\n  gravityDirectionY 2.0\n  gravityPower 0.500\n"
    "  flowDirectionX 0.0\n  flowDirectionY -3.0\n  flowSpeed 0.200\n"
    "  flowDeviationMax 300\n  generateDelay 35\n  dispersion 0.100\n}\n";

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
    SetTestClock(1000);
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
    SetTestClock(now);
    system.update();
  }
};

TEST_F(ParticleTest, MedalSetIsReadFromItsFile) {
  ParticleSystem medal("medal");
  medal.emitting = 1;
  SetTestClock(2000);
  medal.load("pSet1");
  EXPECT_EQ(medal.emitting, 0);
  EXPECT_EQ(medal.running, 1);
  EXPECT_EQ(medal.lastUpdate, 2000u);
  EXPECT_STREQ(medal.texture, "sparkle");
  EXPECT_FLOAT_EQ(medal.x, 1.0f);
  EXPECT_FLOAT_EQ(medal.y, 0.6f);
  EXPECT_EQ(medal.count, 4);
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

TEST_F(ParticleTest, StoppingTheEmittersEndsEveryBurstAndItsParticles) {
  createParticleEmitters();
  ParticleEmitter& flower = *findEmitter(4);
  ParticleEmitter& life = *findEmitter(LastLifeEmitter - 1);
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

}  // namespace
