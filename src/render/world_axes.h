#pragma once
// Five lines from the origin along the axes, for the debug mode.
#include "platform/d3d9/d3d9.h"

extern IDirect3DVertexBuffer9* WorldAxesBuffer;

void CreateWorldAxesBuffer();
void ReleaseWorldAxesBuffer();
void drawWorldAxes();
