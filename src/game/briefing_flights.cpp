#include "game/briefing_flights.h"

#include "core/camera.h"
#include "platform/time.h"

namespace {
struct Flight {
  D3DXVECTOR3 control1, control2;  // offsets from the camera's place
  int32_t milliseconds;
};

const Flight Flights[] = {
    {{12, 0, -3.5f}, {12, 0, 3.5f}, 3500},
    {{6, 0, 6}, {4, 0, 20.5f}, 3500},
    {{-11, 0, 2.5f}, {-11, 0, -12.5f}, 4000},
    {{-15, 3, -2.5f}, {-15, 5, 12.5f}, 5000},
};
constexpr int FlightCount = sizeof Flights / sizeof Flights[0];
constexpr float FlightOver = 0.999f;
}  // namespace

void startBriefingFlight(int briefing) {
  Camera* camera = Cameras.CurrentCamera;
  if (!camera || briefing < 0 || briefing >= FlightCount) return;
  const Flight& flight = Flights[briefing];
  const D3DXVECTOR3 home = camera->position;
  camera->animation = CameraOnCurve;
  camera->pathPoints[0] = home;
  camera->pathPoints[1] = home + flight.control1;
  camera->pathPoints[2] = home + flight.control2;
  camera->pathPoints[3] = home;
  camera->timer.duration = flight.milliseconds;
  camera->timer.StartIn(camera->timer.wait);
  camera->timer.repeat = 0;
}

bool cameraFlightRunning() {
  Camera* camera = Cameras.CurrentCamera;
  // Only a camera on its way is asked: a timer that finished long ago must
  // not read as not yet started once the clock has moved far on.
  if (!camera || camera->animation == CameraFrozen) return false;
  const int32_t sinceStart = static_cast<int32_t>(timeGetTime() - static_cast<uint32_t>(camera->timer.start));
  if (sinceStart < 0) return true;
  if (camera->timer.Advance() <= FlightOver) return true;
  camera->animation = CameraFrozen;
  return false;
}
