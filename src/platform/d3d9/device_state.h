#pragma once
// The state a Direct3D 9 device holds between calls, with Direct3D's initial
// values. Both backends keep one.
#include <array>

#include "platform/d3d9/d3d9.h"

namespace d3d9 {

constexpr UINT kMaxSamplers = 8;
constexpr UINT kMaxStages = 8;
constexpr UINT kFloatConstants = 256;

struct DeviceState {
  std::array<DWORD, D3DRS_STATE_COUNT> renderStates{};
  std::array<std::array<DWORD, D3DSAMP_STATE_COUNT>, kMaxSamplers> samplerStates{};
  std::array<std::array<DWORD, D3DTSS_STATE_COUNT>, kMaxStages> stageStates{};
  D3DMATRIX world{}, view{}, projection{};
  std::array<std::array<float, 4>, kFloatConstants> vertexConstants{};
  std::array<std::array<float, 4>, kFloatConstants> pixelConstants{};
  std::array<Texture*, kMaxSamplers> textures{};
  VertexShader* vertexShader = nullptr;
  PixelShader* pixelShader = nullptr;
  VertexDeclaration* declaration = nullptr;
  DWORD fvf = 0;
  VertexBuffer* stream = nullptr;
  UINT streamOffset = 0;
  UINT streamStride = 0;
  RECT scissorRect{};
  bool inScene = false;

  // Direct3D's defaults, from the back buffer's parameters: the depth test
  // starts on when the device has a depth buffer, the scissor rectangle is
  // the whole back buffer.
  void Reset(const D3DPRESENT_PARAMETERS& parameters);
};

D3DMATRIX IdentityMatrix();

// Byte layout of a flexible vertex format: offsets of its parts, -1 where
// absent, and the stride.
struct FvfLayout {
  int position = -1, normal = -1, diffuse = -1, specular = -1;
  int texcoord[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
  int texcoordCount = 0;
  UINT stride = 0;
  bool transformed = false;  // XYZRHW
};
FvfLayout LayoutOfFvf(DWORD fvf);

// The element list of a declaration up to its end mark (at most 64 elements).
std::vector<D3DVERTEXELEMENT9> ElementsUntilEnd(const D3DVERTEXELEMENT9* elements);

}  // namespace d3d9
