#pragma once
#include "platform/d3d9/d3d9.h"

namespace d3d9 {
// The system's Direct3D 9 behind the game's interface, or null without one.
Direct3D* CreateSystemDirect3D();
}  // namespace d3d9
