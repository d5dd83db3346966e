#pragma once
// GLSL for the fixed-function pipeline: the vertex part transforms by world x
// view x projection and passes the vertex colours and texture coordinates on;
// the pixel part combines the texture stages (MODULATE, SELECTARG1/2, ADD and
// DISABLE of texture, diffuse, current and texture factor) and applies the
// alpha test.
#include <string>
#include <vector>

#include "platform/d3d9/device_state.h"
#include "platform/d3d9/gl/shader_translator.h"

namespace d3d9 {

// Attribute locations of the fixed-function vertex inputs.
constexpr int kFixedPosition = 0, kFixedNormal = 1, kFixedDiffuse = 2, kFixedSpecular = 3, kFixedTexcoord0 = 4;

struct FixedVertexKey {
  bool transformed = false;  // XYZRHW positions in pixels
  bool lighting = false;     // D3DRS_LIGHTING with no light set: only the diffuse alpha survives
};
std::string FixedVertexSource(const FixedVertexKey& key);
std::vector<ShaderInput> FixedVertexInputs();

// The texture stages that take part, packed into a string so it can key a cache.
std::string FixedPixelKey(const DeviceState& state);
int FixedStageCount(const std::string& key);
// The pixel program for a key made by FixedPixelKey, with its alpha test.
std::string FixedPixelSource(const std::string& key, DWORD alphaFunc);

}  // namespace d3d9
