#pragma once
// Materials: a vertex and a pixel program and two shading values, bound by
// name. The lit ones are composed from shader fragments.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9.h"
#include "render/shader_library.h"

// Made from the stand-alone programs "world" instead of fragments.
constexpr uint32_t kWorldPrograms = 4;

struct Material {
  std::string name;
  IDirect3DVertexShader9* vertexShader = nullptr;
  IDirect3DPixelShader9* pixelShader = nullptr;
  int32_t power = 0;   // pixel constant c24
  float factor = 0;    // pixel constant c23
  uint32_t flags = 0;  // what the programs were built from
};

struct MaterialRegistry {
  std::vector<Material> materials;

  // Appends a material; names are not checked, the first one bound wins.
  void createMaterial(const char* name, uint32_t flags, int32_t power, float factor);
  // Its programs and constants; an unknown name (or no shader path) binds no
  // shaders at all.
  void bindMaterial(const char* name) const;
  const Material* find(const char* name) const;
  // Releases the programs the registry owns and empties it.
  void release();
};

extern MaterialRegistry Materials;
