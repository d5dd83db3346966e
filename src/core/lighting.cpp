#include "core/lighting.h"

#include <cmath>

#include "core/camera.h"
#include "core/graphics_device.h"
#include "core/shader_registers.h"

void UploadLighting() {
  if (!Graphics.ShaderPath || !Device) return;
  const float position[4] = {100.0f, 100.0f, 100.0f, 1.0f};
  const float unit = 1.0f / std::sqrt(3.0f);
  const float direction[4] = {unit, unit, unit, 1.0f};
  const float colour[4] = {0.99f, 0.99f, 0.99f, 1.0f};
  D3DXVECTOR3 eye = Cameras.CurrentCamera ? Cameras.CurrentCamera->position : D3DXVECTOR3(0, 0, 0);
  const float eyePosition[4] = {eye.x, eye.y, eye.z, 0.0f};
  Device->SetPixelShaderConstantF(PsLightPosition, position, 1);
  Device->SetPixelShaderConstantF(PsLightDirection, direction, 1);
  Device->SetPixelShaderConstantF(PsLightColour, colour, 1);
  Device->SetVertexShaderConstantF(VsLightPosition, position, 1);
  Device->SetVertexShaderConstantF(VsLightDirection, direction, 1);
  Device->SetVertexShaderConstantF(VsLightColour, colour, 1);
  Device->SetPixelShaderConstantF(PsEyePosition, eyePosition, 1);
  Device->SetVertexShaderConstantF(VsEyePosition, eyePosition, 1);
}
