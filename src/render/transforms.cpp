#include "render/transforms.h"

#include "core/graphics_device.h"

void UploadTransforms(const D3DXMATRIX& world, const D3DXMATRIX& view, const D3DXMATRIX& projection) {
  if (!Device) return;
  if (!ShaderPath) {
    Device->SetTransform(D3DTS_WORLD, &world);
    Device->SetTransform(D3DTS_VIEW, &view);
    return;
  }
  const D3DXMATRIX* matrices[3] = {&world, &view, &projection};
  for (int i = 0; i < 3; ++i) {
    D3DXMATRIX transposed;
    D3DXMatrixTranspose(&transposed, matrices[i]);
    Device->SetVertexShaderConstantF(i * 4, &transposed.m[0][0], 4);
  }
}

void UploadTransforms() { UploadTransforms(WorldMatrix, ViewMatrix, ProjectionMatrix); }
