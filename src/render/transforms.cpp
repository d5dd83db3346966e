#include "render/transforms.h"

#include <utility>

#include "core/graphics_device.h"
#include "core/shader_registers.h"

void UploadTransforms(const D3DXMATRIX& world, const D3DXMATRIX& view, const D3DXMATRIX& projection) {
  if (!Device) return;
  if (!Graphics.ShaderPath) {
    Device->SetTransform(D3DTS_WORLD, &world);
    Device->SetTransform(D3DTS_VIEW, &view);
    return;
  }
  const std::pair<unsigned, const D3DXMATRIX*> matrices[3] = {
      {VsWorldMatrix, &world}, {VsViewMatrix, &view}, {VsProjectionMatrix, &projection}};
  for (const auto& [reg, matrix] : matrices) {
    D3DXMATRIX transposed;
    D3DXMatrixTranspose(&transposed, matrix);
    Device->SetVertexShaderConstantF(reg, &transposed.m[0][0], 4);
  }
}

void UploadTransforms() { UploadTransforms(Graphics.WorldMatrix, Graphics.ViewMatrix, Graphics.ProjectionMatrix); }
