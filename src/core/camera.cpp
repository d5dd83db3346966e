#include "core/camera.h"

#include "core/vector_helpers.h"

CameraSet Cameras;

Camera* CreateCamera(const std::string& name) {
  Camera* camera = Cameras.CameraList.emplace_back(std::make_unique<Camera>()).get();
  camera->name = name;
  camera->up = Cross(camera->right, camera->direction);
  return camera;
}

void SelectCamera(const std::string& name) {
  for (auto it = Cameras.CameraList.rbegin(); it != Cameras.CameraList.rend(); ++it)
    if ((*it)->name == name) {
      Cameras.CurrentCamera = it->get();
      return;
    }
}

Camera* FindCamera(const std::string& name) {
  for (const auto& camera : Cameras.CameraList)
    if (camera->name == name) return camera.get();
  return Cameras.CameraList.empty() ? nullptr : Cameras.CameraList.front().get();
}

void ClearCameras() {
  Cameras.CameraList.clear();
  Cameras.CurrentCamera = nullptr;
}

D3DXVECTOR3 Bezier(const D3DXVECTOR3 p[4], float t) {
  if (t > 1.0f) return p[3];
  float s = 1.0f - t;
  D3DXVECTOR3 result = (p[0] * s + p[1] * (3.0f * t)) * s + p[2] * (3.0f * t * t);
  return result * s + p[3] * (t * t * t);
}

void OrientCamera(Camera* camera, const D3DXVECTOR3& position, float angleX, float angleY, float angleZ) {
  D3DXMATRIX rx, ry, rz, m;
  D3DXMatrixRotationX(&rx, -D3DXToRadian(angleX));
  D3DXMatrixRotationY(&ry, -D3DXToRadian(angleY));
  D3DXMatrixRotationZ(&rz, -D3DXToRadian(angleZ));
  D3DXMatrixMultiply(&m, &rz, &rx);
  D3DXMatrixMultiply(&m, &m, &ry);
  D3DXVECTOR3 up(0, 1, 0), direction(0, 0, -1), right(1, 0, 0);
  D3DXVec3TransformCoord(&camera->up, &up, &m);
  D3DXVec3TransformCoord(&camera->direction, &direction, &m);
  D3DXVec3TransformCoord(&camera->right, &right, &m);
  camera->position = position;
}

namespace {
void LookAtTarget(Camera* camera) {
  camera->direction = camera->target - camera->position;
  camera->up = D3DXVECTOR3(0, 1, 0);
  camera->right = Cross(camera->direction, camera->up);
  camera->up = Cross(camera->right, camera->direction);
}
}  // namespace

void AdvanceCamera(Camera* camera) {
  if (camera->animation == CameraFrozen) return;
  float t = camera->timer.Advance();
  switch (camera->animation) {
    case CameraOnCurveTargetOnCurve:
      camera->position = Bezier(camera->pathPoints, t);
      camera->target = Bezier(camera->targetPoints, t);
      LookAtTarget(camera);
      return;
    case CameraOnCurveLookingAtTarget:
      camera->position = Bezier(camera->pathPoints, t);
      LookAtTarget(camera);
      return;
    case CameraOnCurve:
      camera->position = Bezier(camera->pathPoints, t);
      break;
    default:
      break;
  }
  camera->up = SetLength(Cross(camera->right, camera->direction), 1.0f);
}

void AdvanceCameras() {
  for (const auto& camera : Cameras.CameraList)
    if (camera->animated) AdvanceCamera(camera.get());
}
