#pragma once
// The six view planes of the frame and the sphere test the game culls with.
#include "d3dutil/math.h"

struct Plane {
  float a, b, c, d;
};

enum FrustumPlane { PlaneRight, PlaneLeft, PlaneBottom, PlaneTop, PlaneFar, PlaneNear, FrustumPlaneCount };

void ExtractFrustum(Plane planes[FrustumPlaneCount], const D3DXMATRIX& worldViewProjection);
// False when the sphere lies wholly outside a plane (touching from outside counts as outside).
bool SphereVisible(const D3DXVECTOR3& center, float radius);
