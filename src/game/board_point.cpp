#include "game/board_point.h"

#include <cmath>

#include "core/camera.h"
#include "core/mouse.h"
#include "game/bee.h"

namespace {
constexpr float RayLength = 100.0f;
constexpr float Precision = 0.001f;
// More halvings than a float segment of 100 units can take.
constexpr int MaxHalvings = 64;

bool onEitherSide(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
  return (a.y - BoardPlaneHeight) * (b.y - BoardPlaneHeight) <= 0;
}
}  // namespace

void boardPointAt(float px, float py, float* x, float* z) {
  *x = *z = 0;
  if (!Cameras.CurrentCamera) return;
  D3DXVECTOR3 near = Cameras.CurrentCamera->position;
  D3DXVECTOR3 far = near + MouseRay(px, py) * RayLength;
  for (int i = 0; i < MaxHalvings && !(std::fabs(near.y - far.y) < Precision); ++i) {
    const D3DXVECTOR3 middle = (near + far) * 0.5f;
    if (onEitherSide(near, middle))
      far = middle;
    else
      near = middle;
  }
  const D3DXVECTOR3 point = (near + far) * 0.5f;
  *x = point.x;
  *z = point.z;
}
