#include "render/render_steps.h"

#include "core/graphics_device.h"
#include "render/material.h"
#include "render/mesh_registry.h"
#include "render/quad_buffers.h"
#include "render/shader_library.h"
#include "render/texture_cache.h"
#include "render/vertex.h"

void LoadShadersTexturesAndErrorMesh() {
  Shaders.discover();
  Textures.loadBuiltInTextures();
  Shaders.load();
  Meshes.loadErrorMesh();
}

void CreateMaterialEmpty() { Materials.createMaterial("empty", 0, 128, 0.0f); }

void CreateMaterialWorld() {
  Materials.createMaterial("world", kWorldPrograms, 0, 0.0f);
}

void CreateMaterialsDiffuseAndSpecular() {
  Materials.createMaterial("diffuse", kDiffuseFragments, 0, 0.85f);
  Materials.createMaterial("specular", kDiffuseFragments | kSpecularFragments, 64, 0.5f);
}

void BindSceneMaterialAndTexture() {
  if (!Device) return;
  if (Graphics.ShaderPath) {
    Materials.bindMaterial("empty");
    Textures.bindTexture(0, "errortex");
    return;
  }
  Device->SetVertexShader(nullptr);
  Device->SetPixelShader(nullptr);
  Device->SetTexture(0, nullptr);
}

void BeginInterfaceQuads(bool loading) {
  if (!Device) return;
  if (loading)
    Device->SetPixelShader(nullptr);
  else
    Shaders.bindPixelProgram("iface");
  Device->SetStreamSource(0, QuadBuffers.UnitQuadBuffer, 0, sizeof(Vertex));
  if (Graphics.ShaderPath) Shaders.bindVertexProgram("iface");
}

void ReleaseTexturesShadersAndMaterials() {
  Textures.release();
  Shaders.release();
  Materials.release();
}

void ReleaseRenderNames() {
  Shaders.releaseNames();
  Textures.releaseNames();
  Meshes.release();
  Meshes.releaseNames();
}
