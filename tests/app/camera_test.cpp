#include <gtest/gtest.h>

#include <cmath>

#include "core/camera.h"
#include "core/frustum.h"
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
    TestClockNow = 10000;
    SetClockSource(TestClock);
  }
  void TearDown() override {
    SetClockSource(nullptr);
    ClearCameras();
  }
};
}  // namespace

TEST_F(CameraTest, NewCameraHasTheDefaultBasis) {
  Camera* camera = CreateCamera("default");
  ExpectVector(camera->direction, 0, 0, -1);
  ExpectVector(camera->right, 1, 0, 0);
  ExpectVector(camera->up, 0, 1, 0);
  EXPECT_EQ(camera->animation, CameraStatic);
}

TEST_F(CameraTest, SelectTakesTheLastOfANameAndFindTheFirstOrFallsBack) {
  EXPECT_EQ(FindCamera("x"), nullptr);
  Camera* first = CreateCamera("a");
  Camera* second = CreateCamera("a");
  SelectCamera("a");
  EXPECT_EQ(CurrentCamera, second);
  SelectCamera("missing");
  EXPECT_EQ(CurrentCamera, second);
  EXPECT_EQ(FindCamera("a"), first);
  EXPECT_EQ(FindCamera("missing"), first);
}

TEST_F(CameraTest, OrientCameraTurnsTheBasis) {
  Camera* camera = CreateCamera("c");
  OrientCamera(camera, D3DXVECTOR3(1, 2, 3), 0, 0, 0);
  ExpectVector(camera->direction, 0, 0, -1);
  ExpectVector(camera->right, 1, 0, 0);
  ExpectVector(camera->up, 0, 1, 0);
  ExpectVector(camera->position, 1, 2, 3);
  OrientCamera(camera, D3DXVECTOR3(0, 0, 0), 0, 90, 0);
  ExpectVector(camera->direction, 1, 0, 0);
  ExpectVector(camera->right, 0, 0, 1);
  ExpectVector(camera->up, 0, 1, 0);
}

TEST_F(CameraTest, FlightWaitsForItsStartThenEndsExactlyOnTheLastPoint) {
  Camera* camera = CreateCamera("c");
  camera->animated = 1;
  camera->animation = CameraOnCurve;
  D3DXVECTOR3 points[4] = {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}};
  for (int i = 0; i < 4; ++i) camera->pathPoints[i] = points[i];
  camera->timer = AppearTimer{2000, static_cast<int32_t>(TestClockNow + 500), 0, 0};
  AdvanceCameras();
  ExpectVector(camera->position, 0, 0, 0);
  TestClockNow += 499;
  AdvanceCameras();
  ExpectVector(camera->position, 0, 0, 0);
  TestClockNow += 1001;  // halfway through the flight
  AdvanceCameras();
  ExpectVector(camera->position, 15, 0, 0);
  TestClockNow += 1000;
  AdvanceCameras();
  ExpectVector(camera->position, 30, 0, 0);
  TestClockNow += 5000;
  AdvanceCameras();
  ExpectVector(camera->position, 30, 0, 0);
}

TEST_F(CameraTest, LookAtFlightPointsAtTheTargetAndFrozenCamerasStayPut) {
  Camera* camera = CreateCamera("c");
  camera->animated = 1;
  camera->animation = CameraOnCurveLookingAtTarget;
  for (auto& p : camera->pathPoints) p = D3DXVECTOR3(0, 10, 0);
  camera->target = D3DXVECTOR3(10, 10, 0);
  camera->timer = AppearTimer{1000, static_cast<int32_t>(TestClockNow), 0, 0};
  AdvanceCameras();
  ExpectVector(camera->direction, 10, 0, 0);
  ExpectVector(camera->up, 0, 1, 0);
  camera->animation = CameraFrozen;
  camera->position = D3DXVECTOR3(5, 5, 5);
  AdvanceCameras();
  ExpectVector(camera->position, 5, 5, 5);
}

TEST_F(CameraTest, UnanimatedCamerasAreNotAdvanced) {
  Camera* camera = CreateCamera("c");
  camera->animation = CameraOnCurve;
  for (auto& p : camera->pathPoints) p = D3DXVECTOR3(7, 7, 7);
  AdvanceCameras();
  ExpectVector(camera->position, 0, 0, 0);
}

TEST(AppearTimerTest, ProgressIsZeroBeforeStartAndRepeatsWhenAsked) {
  SetClockSource(TestClock);
  TestClockNow = 1000;
  AppearTimer timer{200, 1100, 0, 0};
  EXPECT_FLOAT_EQ(timer.Progress(), 0.0f);
  TestClockNow = 1200;
  EXPECT_FLOAT_EQ(timer.Progress(), 0.5f);
  TestClockNow = 1500;
  EXPECT_FLOAT_EQ(timer.Progress(), 2.0f);
  timer.repeat = 1;
  EXPECT_FLOAT_EQ(timer.Progress(), 2.0f);
  EXPECT_EQ(timer.start, 1500);
  EXPECT_FLOAT_EQ(timer.Progress(), 0.0f);
  SetClockSource(nullptr);
}

TEST(AppearTimerTest, HidingAtOnceAndFadesHoldAcrossTheClocksLimits) {
  SetClockSource(TestClock);
  for (uint32_t limit : {0x80000000u, 0u}) {  // the signed limit, then the wrap
    TestClockNow = limit - 100;
    AppearTimer hidden{200, TimerLongAgo, 0, 0};
    AppearTimer fade{200, 0, 50, 0};
    fade.StartIn(fade.wait);
    EXPECT_GT(hidden.Progress(), 0.999f) << limit;
    EXPECT_FLOAT_EQ(fade.Progress(), 0.0f) << limit;
    TestClockNow = limit + 50;
    EXPECT_GT(hidden.Progress(), 0.999f) << limit;
    EXPECT_FLOAT_EQ(fade.Progress(), 0.5f) << limit;
  }
  SetClockSource(nullptr);
  EXPECT_LT(timeGetTime(), 5 * 60 * 1000u) << "counted from the program's start, not the machine's";
}

TEST(MouseTest, PointerMapsTheClientAreaToInterfaceUnits) {
  Mouse = MouseState{};
  Mouse.clientWidth = 800;
  Mouse.clientHeight = 600;
  Mouse.mouseX = 400;
  Mouse.mouseY = 300;
  EXPECT_FLOAT_EQ(PointerX(), 1.0f);
  EXPECT_FLOAT_EQ(PointerY(), 0.75f);
  Mouse.mouseX = 800;
  Mouse.mouseY = 600;
  EXPECT_FLOAT_EQ(PointerX(), 2.0f);
  EXPECT_FLOAT_EQ(PointerY(), 1.5f);
  Mouse.mouseX = -30;
  Mouse.mouseY = 5000;
  EXPECT_FLOAT_EQ(PointerX(), 0.0f);
  EXPECT_FLOAT_EQ(PointerY(), 1.5f);
}

TEST(MouseTest, AClickIsHeldThenReleasedEvenBetweenTwoPollsAndClearingConsumesIt) {
  Mouse = MouseState{};
  TestMouse.active = true;
  TestMouse.left = true;
  PollMouse();
  EXPECT_FALSE(LeftClicked());
  TestMouse.left = false;
  PollMouse();
  EXPECT_TRUE(LeftClicked());
  ClearPointer();
  EXPECT_FALSE(LeftClicked());
  EXPECT_FLOAT_EQ(Mouse.mouseX, 0.0f);
  PollMouse();
  EXPECT_FALSE(LeftClicked());

  // A tap pressed and released between two polls is still one click.
  for (int button : {VK_LBUTTON, VK_RBUTTON}) {
    InjectButton(button, true);
    InjectButton(button, false);
  }
  PollMouse();
  EXPECT_EQ(Mouse.leftCurrent, ButtonHeld);
  EXPECT_EQ(Mouse.rightCurrent, ButtonHeld);
  PollMouse();
  EXPECT_TRUE(LeftClicked());
  EXPECT_TRUE(RightClicked());
  PollMouse();
  EXPECT_FALSE(LeftClicked() || RightClicked());
  TestMouse = InjectedMouse{};
}

TEST_F(CameraTest, MouseRayThroughTheCentreIsTheViewDirection) {
  CurrentCamera = CreateCamera("c");
  OrientCamera(CurrentCamera, D3DXVECTOR3(0, 0, 0), 30, 40, 0);
  D3DXVECTOR3 ray = MouseRay(1.0f, 0.75f);
  ExpectVector(ray, CurrentCamera->direction.x, CurrentCamera->direction.y, CurrentCamera->direction.z);
  D3DXVECTOR3 corner = MouseRay(2.0f, 0.0f);
  EXPECT_LT(corner.x * CurrentCamera->right.x + corner.y * CurrentCamera->right.y + corner.z * CurrentCamera->right.z, -0.5f);
  EXPECT_GT(corner.x * CurrentCamera->up.x + corner.y * CurrentCamera->up.y + corner.z * CurrentCamera->up.z, 0.3f);
}

TEST(FrustumTest, SpheresAreCulledByEveryPlaneAndTouchingFromOutsideIsOutside) {
  D3DXMATRIX view, projection, wvp;
  D3DXVECTOR3 eye(0, 0, 0), at(0, 0, 1), up(0, 1, 0);
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  D3DXMatrixPerspectiveFovLH(&projection, 1.5707964f * 0.75f, 4.0f / 3.0f, 0.01f, 800.0f);
  D3DXMatrixMultiply(&wvp, &view, &projection);
  ExtractFrustum(ViewFrustum, wvp);
  for (const Plane& p : ViewFrustum) EXPECT_NEAR(p.a * p.a + p.b * p.b + p.c * p.c, 1.0f, 1e-4f);
  EXPECT_TRUE(SphereVisible(D3DXVECTOR3(0, 0, 10), 1));
  EXPECT_FALSE(SphereVisible(D3DXVECTOR3(0, 0, -10), 1));
  EXPECT_FALSE(SphereVisible(D3DXVECTOR3(0, 0, 900), 1));
  EXPECT_FALSE(SphereVisible(D3DXVECTOR3(100, 0, 10), 1));
  EXPECT_TRUE(SphereVisible(D3DXVECTOR3(0, 0, 799.5f), 1));
  // The far plane at z = 800: a sphere whose centre sits exactly radius beyond it is outside.
  const Plane& far = ViewFrustum[PlaneFar];
  D3DXVECTOR3 beyond(0, 0, 800.0f + 2.0f);
  float distance = far.a * beyond.x + far.b * beyond.y + far.c * beyond.z + far.d;
  EXPECT_FALSE(SphereVisible(beyond, -distance));
}

// A point seen on screen must be hit by the ray through the pointer at that
// spot: project it with the frame's view and projection, then cast the ray.
TEST_F(CameraTest, MouseRayPassesThroughThePointDrawnUnderThePointer) {
  CurrentCamera = CreateCamera("c");
  OrientCamera(CurrentCamera, D3DXVECTOR3(-20, 40, 5), 60, 90, 0);
  const Camera& camera = *CurrentCamera;
  D3DXMATRIX view, projection, viewProjection;
  D3DXVECTOR3 target = camera.position + camera.direction;
  D3DXMatrixLookAtLH(&view, &camera.position, &target, &camera.up);
  D3DXMatrixPerspectiveFovLH(&projection, 0.75f * 1.5707964f, 4.0f / 3.0f, 0.01f, 800.0f);
  D3DXMatrixMultiply(&viewProjection, &view, &projection);
  for (D3DXVECTOR3 point : {D3DXVECTOR3(0, 17, 0), D3DXVECTOR3(5, 17, 8), D3DXVECTOR3(-3, 17, -9)}) {
    D3DXVECTOR3 screen;
    D3DXVec3TransformCoord(&screen, &point, &viewProjection);
    ASSERT_LT(std::fabs(screen.x), 1.0f);
    ASSERT_LT(std::fabs(screen.y), 1.0f);
    float px = screen.x + 1.0f, py = (1.0f - screen.y) * 0.75f;
    D3DXVECTOR3 ray = MouseRay(px, py);
    D3DXVECTOR3 toPoint = point - camera.position;
    D3DXVec3Normalize(&toPoint, &toPoint);
    // The ray's 0.898 per interface unit rounds the projection's 0.891.
    EXPECT_NEAR(ray.x, toPoint.x, 6e-3f);
    EXPECT_NEAR(ray.y, toPoint.y, 6e-3f);
    EXPECT_NEAR(ray.z, toPoint.z, 6e-3f);
  }
}
