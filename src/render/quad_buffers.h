#pragma once
// The shared four-vertex buffers that interface rectangles and billboards are
// drawn from as a two-triangle strip.
#include "platform/d3d9/d3d9.h"
#include "render/vertex.h"

struct QuadBufferSet {
  // Corners (0,0) to (1,1) at z = -1.125, placed by the "iface" program.
  IDirect3DVertexBuffer9* UnitQuadBuffer = nullptr;
  // Corners (-1,-1) to (1,1), turned to the camera by the "bill" program;
  // shader path only.
  IDirect3DVertexBuffer9* BillboardQuadBuffer = nullptr;
};
extern QuadBufferSet QuadBuffers;

void CreateUnitQuadBuffer();
void CreateBillboardQuadBuffer();
void ReleaseUnitQuadBuffer();
void ReleaseBillboardQuadBuffer();

// A buffer of `count` vertices created with the game's vertex format and
// filled; null when the device refuses.
IDirect3DVertexBuffer9* CreateFilledVertexBuffer(const Vertex* vertices, unsigned count);
