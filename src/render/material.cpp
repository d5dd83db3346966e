#include "render/material.h"

#include <cstring>

#include "core/graphics_device.h"
#include "core/shader_registers.h"

MaterialRegistry Materials;

void MaterialRegistry::createMaterial(const char* name, uint32_t flags, int32_t power, float factor) {
  Material material;
  material.name = name ? name : "";
  material.power = power;
  material.factor = factor;
  if (Graphics.ShaderPath) {
    if (flags & kWorldPrograms) {
      material.pixelShader = Shaders.pixelProgram("world");
      material.vertexShader = Shaders.vertexProgram("world");
      material.flags = kWorldPrograms;
    } else {
      material.flags = flags & (kDiffuseFragments | kSpecularFragments);
      material.vertexShader = Shaders.composeVertexProgram(material.flags);
      material.pixelShader = Shaders.composePixelProgram(material.flags);
    }
  }
  materials.push_back(material);
}

const Material* MaterialRegistry::find(const char* name) const {
  if (!name) return nullptr;
  for (const Material& material : materials)
    if (material.name == name) return &material;
  return nullptr;
}

void MaterialRegistry::bindMaterial(const char* name) const {
  if (!Device) return;
  const Material* material = Graphics.ShaderPath ? find(name) : nullptr;
  if (!material) {
    Device->SetVertexShader(nullptr);
    Device->SetPixelShader(nullptr);
    return;
  }
  Device->SetVertexShader(material->vertexShader);
  Device->SetPixelShader(material->pixelShader);
  const float factor[4] = {material->factor, material->factor, material->factor, 1.0f};
  const float power = static_cast<float>(material->power);
  const float powers[4] = {power, power, power, 1.0f};
  Device->SetPixelShaderConstantF(PsMaterialFactor, factor, 1);
  Device->SetPixelShaderConstantF(PsMaterialPower, powers, 1);
}

void MaterialRegistry::release() {
  for (Material& material : materials) {
    if (material.flags & kWorldPrograms) continue;  // borrowed from the shader library
    if (material.vertexShader) material.vertexShader->Release();
    if (material.pixelShader) material.pixelShader->Release();
  }
  materials.clear();
}
