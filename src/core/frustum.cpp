#include "core/frustum.h"

#include <cmath>

#include "core/graphics_device.h"

namespace {
// Plane = column 4 + sign x column k, normalised by the length of (a, b, c).
Plane Combine(const D3DXMATRIX& m, int column, float sign) {
  Plane p{m.m[0][3] + sign * m.m[0][column], m.m[1][3] + sign * m.m[1][column],
          m.m[2][3] + sign * m.m[2][column], m.m[3][3] + sign * m.m[3][column]};
  float length = std::sqrt(p.a * p.a + p.b * p.b + p.c * p.c);
  if (length > 0.0f) {
    p.a /= length;
    p.b /= length;
    p.c /= length;
    p.d /= length;
  }
  return p;
}
}  // namespace

void ExtractFrustum(Plane planes[FrustumPlaneCount], const D3DXMATRIX& m) {
  planes[PlaneRight] = Combine(m, 0, -1.0f);
  planes[PlaneLeft] = Combine(m, 0, 1.0f);
  planes[PlaneBottom] = Combine(m, 1, 1.0f);
  planes[PlaneTop] = Combine(m, 1, -1.0f);
  planes[PlaneFar] = Combine(m, 2, -1.0f);
  planes[PlaneNear] = Combine(m, 2, 1.0f);
}

bool SphereVisible(const D3DXVECTOR3& center, float radius) {
  for (const Plane& p : Graphics.ViewFrustum) {
    float distance = p.a * center.x + p.b * center.y + p.c * center.z + p.d;
    if (distance <= -radius) return false;
  }
  return true;
}
