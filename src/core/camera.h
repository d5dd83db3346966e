#pragma once
// Named cameras, the current one, and flights along cubic Bezier curves.
#include <memory>
#include <string>
#include <vector>

#include "core/appear_timer.h"
#include "d3dutil/math.h"

enum CameraAnimation : int32_t {
  CameraFrozen = -1,
  CameraStatic = 0,
  CameraOnCurve = 1,
  CameraOnCurveLookingAtTarget = 2,
  CameraOnCurveTargetOnCurve = 3,
};

struct Camera {
  int32_t animation = CameraStatic;
  D3DXVECTOR3 pathPoints[4] = {};
  D3DXVECTOR3 targetPoints[4] = {};
  D3DXVECTOR3 target{0, 0, 0};
  AppearTimer timer{1, 0, 0, 0};
  uint8_t animated = 0;
  D3DXVECTOR3 direction{0, 0, -1};
  D3DXVECTOR3 right{1, 0, 0};
  D3DXVECTOR3 up{0, 1, 0};
  D3DXVECTOR3 position{0, 0, 0};
  std::string name;
};

// Where a camera stands and how it looks: all its view follows from.
struct CameraPose {
  D3DXVECTOR3 position{0, 0, 0}, direction{0, 0, 0}, up{0, 0, 0};
  bool operator==(const CameraPose&) const = default;
};
inline CameraPose PoseOf(const Camera& camera) { return {camera.position, camera.direction, camera.up}; }

// Every camera in creation order; the current one views the frame.
struct CameraSet {
  std::vector<std::unique_ptr<Camera>> CameraList;
  Camera* CurrentCamera = nullptr;
};
extern CameraSet Cameras;

Camera* CreateCamera(const std::string& name);
void SelectCamera(const std::string& name);
Camera* FindCamera(const std::string& name);
void ClearCameras();

// Places the camera and turns it by three angles in degrees: rolled about z,
// then pitched about x, then yawed about y.
void OrientCamera(Camera* camera, const D3DXVECTOR3& position, float angleX, float angleY, float angleZ);
void AdvanceCamera(Camera* camera);
void AdvanceCameras();

// Cubic Bezier through four control points; t > 1 gives the last point.
D3DXVECTOR3 Bezier(const D3DXVECTOR3 points[4], float t);
