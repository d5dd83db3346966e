#pragma once
// Where a frame's depth buffer still holds its clear's depth: the part of
// the frame nothing was drawn on. Read from the bound read framebuffer.
#include "platform/d3d9/d3d9.h"

namespace d3d9 {

// The width x height depth-stencil buffer's rows in equal bands, each
// narrowed to its pixels at `clearDepth` (Direct3D's rows, top first); bands
// without one are left out; the whole buffer where the driver will not read
// it. `topRowFirst` says how GL lays out the rows.
OpenRects ScanClearedDepth(int width, int height, bool topRowFirst, float clearDepth);

}  // namespace d3d9
