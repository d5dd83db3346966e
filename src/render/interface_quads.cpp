#include "render/interface_quads.h"

#include <cmath>
#include <vector>

#include "core/graphics_device.h"
#include "core/options.h"
#include "core/shader_registers.h"
#include "render/material.h"
#include "render/quad_buffers.h"
#include "render/shader_library.h"
#include "render/texture_cache.h"
#include "render/transforms.h"
#include "render/vertex.h"

namespace {

std::vector<D3DRECT> HiddenRects;

constexpr float kInterfaceDepth = -1.125f;

Vertex Corner(float x, float y, float u, float v) {
  Vertex vertex{};
  vertex.position = {x, y, kInterfaceDepth};
  vertex.colour = 0xFFFFFFFF;
  vertex.u0 = u;
  vertex.v0 = v;
  return vertex;
}

// The rectangle centred on the screen with y growing upwards: (x', y') is
// the top-left corner and h' the (negative) height.
void DrawRegion(float x, float y, float w, float h, float u, float v, float du, float dv) {
  const float left = x - 1.0f, top = 0.75f - y, height = -h;
  if (Graphics.ShaderPath) {
    const float placement[4] = {left, top, w, height};
    const float region[4] = {u, v, du, dv};
    Device->SetVertexShaderConstantF(VsQuadPlacement, placement, 1);
    Device->SetVertexShaderConstantF(VsQuadRegion, region, 1);
    Device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    return;
  }
  const Vertex corners[4] = {Corner(left, top, u, v), Corner(left, top + height, u, v + dv),
                             Corner(left + w, top, u + du, v), Corner(left + w, top + height, u + du, v + dv)};
  Device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, corners, sizeof(Vertex));
}

// The pixels wholly inside the opaque part of the quad's texture, a pixel in
// from each side (the quad's own edge pixels are filtered); false when none.
bool opaquePixels(const char* textureName, float x, float y, float w, float h, D3DRECT& rect) {
  const TextureInset inset = Textures.opaqueInset(textureName);
  if (w < 0) x += w, w = -w;
  if (h < 0) y += h, h = -h;
  const float toPixelsX = static_cast<float>(Options.width) / 2.0f,
              toPixelsY = static_cast<float>(Options.height) / 1.5f;
  using Pixel = decltype(D3DRECT::x1);
  rect.x1 = static_cast<Pixel>(std::ceil((x + w * inset.u) * toPixelsX)) + 1;
  rect.x2 = static_cast<Pixel>(std::floor((x + w * (1.0f - inset.u)) * toPixelsX)) - 1;
  rect.y1 = static_cast<Pixel>(std::ceil((y + h * inset.v) * toPixelsY)) + 1;
  rect.y2 = static_cast<Pixel>(std::floor((y + h * (1.0f - inset.v)) * toPixelsY)) - 1;
  return rect.x2 > rect.x1 && rect.y2 > rect.y1;
}
}  // namespace

void hideSceneUnderQuad(const char* textureName, float x, float y, float w, float h) {
  D3DRECT rect;
  if (!Device || !opaquePixels(textureName, x, y, w, h, rect)) return;
  Device->Clear(1, &rect, D3DCLEAR_ZBUFFER, 0, 0.0f, 0);
  HiddenRects.push_back(rect);
}

void uncoverSceneUnderQuad(const char* textureName, float x, float y, float w, float h) {
  D3DRECT rect;
  if (Device && opaquePixels(textureName, x, y, w, h, rect)) Device->Clear(1, &rect, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
}

const std::vector<D3DRECT>& hiddenSceneRects() { return HiddenRects; }

void forgetHiddenSceneRects() { HiddenRects.clear(); }

void drawQuad(const char* textureName, float x, float y, float w, float h) {
  if (!Device) return;
  const D3DXMATRIX savedWorld = Graphics.WorldMatrix, savedView = Graphics.ViewMatrix;
  Graphics.WorldMatrix = Graphics.InterfaceWorldMatrix;
  Graphics.ViewMatrix = Graphics.InterfaceViewMatrix;
  Device->SetPixelShader(nullptr);
  Device->SetStreamSource(0, QuadBuffers.UnitQuadBuffer, 0, sizeof(Vertex));
  Shaders.bindVertexProgram("iface");
  UploadTransforms();
  Device->SetRenderState(D3DRS_ZENABLE, 0);
  Textures.bindTexture(0, textureName);
  DrawRegion(x, y, w, h, 0, 0, 1, 1);
  Device->SetRenderState(D3DRS_ZENABLE, 1);
  Graphics.WorldMatrix = savedWorld;
  Graphics.ViewMatrix = savedView;
  Materials.bindMaterial("empty");
}

void drawQuadRegion(float x, float y, float w, float h, float u, float v, float du, float dv) {
  if (Device) DrawRegion(x, y, w, h, u, v, du, dv);
}
