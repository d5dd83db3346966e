#include "core/camera.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/frustum.h"
#include "core/graphics_device.h"
#include "core/mouse.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "platform/window.h"

namespace {
void ExpectVector(const D3DXVECTOR3& v, float x, float y, float z) {
  EXPECT_NEAR(v.x, x, 1e-5f);
  EXPECT_NEAR(v.y, y, 1e-5f);
  EXPECT_NEAR(v.z, z, 1e-5f);
}

class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearCameras();
    SetTestClock(10000);
    SetClockSource(TestClock);
  }
  void TearDown() override {
    SetClockSource(nullptr);
    ClearCameras();
  }
};
}  // namespace

TEST_F(CameraTest, FlightWaitsForItsStartThenEndsExactlyOnTheLastPoint) {
  Camera* camera = CreateCamera("c");
  camera->animated = 1;
  camera->animation = CameraOnCurve;
  D3DXVECTOR3 points[4] = {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}};
  for (int i = 0; i < 4; ++i) camera->pathPoints[i] = points[i];
  camera->timer = AppearTimer{2000, static_cast<int32_t>(TestClock() + 500), 0, 0};
  AdvanceCameras();
  ExpectVector(camera->position, 0, 0, 0);
  AdvanceTestClock(499);
  AdvanceCameras();
  ExpectVector(camera->position, 0, 0, 0);
  AdvanceTestClock(1001);  // halfway through the flight
  AdvanceCameras();
  ExpectVector(camera->position, 15, 0, 0);
  AdvanceTestClock(1000);
  AdvanceCameras();
  ExpectVector(camera->position, 30, 0, 0);
  AdvanceTestClock(5000);
  AdvanceCameras();
  ExpectVector(camera->position, 30, 0, 0);
}

TEST(AppearTimerTest, HidingAtOnceAndFadesHoldAcrossTheClocksLimits) {
  SetClockSource(TestClock);
  for (uint32_t limit : {0x80000000u, 0u}) {  // the signed limit, then the wrap
    SetTestClock(limit - 100);
    AppearTimer hidden{200, TimerLongAgo, 0, 0};
    AppearTimer fade{200, 0, 50, 0};
    fade.StartIn(fade.wait);
    EXPECT_GT(hidden.Progress(), 0.999f) << limit;
    EXPECT_FLOAT_EQ(fade.Progress(), 0.0f) << limit;
    SetTestClock(limit + 50);
    EXPECT_GT(hidden.Progress(), 0.999f) << limit;
    EXPECT_FLOAT_EQ(fade.Progress(), 0.5f) << limit;
  }
  SetClockSource(nullptr);
  EXPECT_LT(timeGetTime(), 5 * 60 * 1000u) << "counted from the program's start, not the machine's";
}

// A press is the game's, and its release a click, only while the pointer is
// over the game's active window from press to release (each step:
// elsewhere, held). A tap between two polls still clicks; clearing consumes
// the click.
TEST(MouseTest, APressWhollyOverTheActiveGameWindowClicksAndClearingConsumesIt) {
  using Steps = std::vector<std::pair<bool, bool>>;
  const std::pair<Steps, bool> cases[] = {
      {{{false, true}, {false, false}}, true},
      {{{true, true}, {false, true}, {false, false}}, false},
      {{{false, true}, {true, true}, {true, false}}, false},
      {{{false, true}, {true, true}, {false, true}, {false, false}}, false},
  };
  TestMouse.active = true;
  for (const auto& [steps, clicks] : cases) {
    Mouse = MouseState{};
    bool clicked = false;
    for (const auto& [elsewhere, held] : steps) {
      TestMouse.elsewhere = elsewhere;
      TestMouse.left = held;
      PollMouse();
      clicked = clicked || LeftClicked();
    }
    EXPECT_EQ(clicked, clicks) << steps.size();
  }

  for (int button : {VK_LBUTTON, VK_RBUTTON}) {
    InjectButton(button, true);
    InjectButton(button, false);
  }
  PollMouse();
  EXPECT_EQ(Mouse.leftCurrent, ButtonHeld);
  EXPECT_EQ(Mouse.rightCurrent, ButtonHeld);
  PollMouse();
  EXPECT_TRUE(LeftClicked() && RightClicked());
  ClearPointer();
  EXPECT_FALSE(LeftClicked() || RightClicked());
  EXPECT_FLOAT_EQ(Mouse.mouseX, 0.0f);
  PollMouse();
  EXPECT_FALSE(LeftClicked() || RightClicked());
  TestMouse = InjectedMouse{};
}

TEST(FrustumTest, SpheresAreCulledByEveryPlaneAndTouchingFromOutsideIsOutside) {
  D3DXMATRIX view, projection, wvp;
  D3DXVECTOR3 eye(0, 0, 0), at(0, 0, 1), up(0, 1, 0);
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  D3DXMatrixPerspectiveFovLH(&projection, 1.5707964f * 0.75f, 4.0f / 3.0f, 0.01f, 800.0f);
  D3DXMatrixMultiply(&wvp, &view, &projection);
  ExtractFrustum(Graphics.ViewFrustum, wvp);
  for (const Plane& p : Graphics.ViewFrustum) EXPECT_NEAR(p.a * p.a + p.b * p.b + p.c * p.c, 1.0f, 1e-4f);
  EXPECT_TRUE(SphereVisible(D3DXVECTOR3(0, 0, 10), 1));
  EXPECT_FALSE(SphereVisible(D3DXVECTOR3(0, 0, -10), 1));
  EXPECT_FALSE(SphereVisible(D3DXVECTOR3(0, 0, 900), 1));
  EXPECT_FALSE(SphereVisible(D3DXVECTOR3(100, 0, 10), 1));
  EXPECT_TRUE(SphereVisible(D3DXVECTOR3(0, 0, 799.5f), 1));
  // The far plane at z = 800: a sphere whose centre sits exactly radius beyond it is outside.
  const Plane& far = Graphics.ViewFrustum[PlaneFar];
  D3DXVECTOR3 beyond(0, 0, 800.0f + 2.0f);
  float distance = far.a * beyond.x + far.b * beyond.y + far.c * beyond.z + far.d;
  EXPECT_FALSE(SphereVisible(beyond, -distance));
}
