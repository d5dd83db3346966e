#pragma once
// Hands the current matrices to the device: on the shader path world, view
// and projection go transposed into vertex constants c0 to c11; otherwise
// the world and view transforms are set.
#include "d3dutil/math.h"

void UploadTransforms(const D3DXMATRIX& world, const D3DXMATRIX& view, const D3DXMATRIX& projection);
// The same with Graphics.WorldMatrix, Graphics.ViewMatrix and Graphics.ProjectionMatrix.
void UploadTransforms();
