#pragma once
#include "platform/d3d9/d3d9.h"

namespace d3d9 {
// The OpenGL Direct3D object, or null when this machine has no OpenGL 3.3.
Direct3D* CreateGlDirect3D();
}  // namespace d3d9
