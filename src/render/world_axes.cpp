#include "render/world_axes.h"

#include "core/graphics_device.h"
#include "render/quad_buffers.h"
#include "render/transforms.h"
#include "render/vertex.h"

IDirect3DVertexBuffer9* WorldAxesBuffer = nullptr;

namespace {

constexpr D3DCOLOR kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

Vertex Point(float x, float y, float z, D3DCOLOR colour) {
  Vertex vertex{};
  vertex.position = {x, y, z};
  vertex.colour = colour;
  return vertex;
}

}  // namespace

void CreateWorldAxesBuffer() {
  const float far = 1024.0f;
  const Vertex lines[10] = {
      Point(0, 0, 0, kRed),   Point(far, 0, 0, kRed),    //
      Point(0, 0, 0, kBlue),  Point(-far, 0, 0, kBlue),  //
      Point(0, 0, 0, kGreen), Point(0, far, 0, kGreen),  //
      Point(0, 0, 0, kRed),   Point(0, 0, far, kRed),    //
      Point(0, 0, 0, kBlue),  Point(0, 0, -far, kBlue),
  };
  WorldAxesBuffer = CreateFilledVertexBuffer(lines, 10);
}

void ReleaseWorldAxesBuffer() {
  if (WorldAxesBuffer) WorldAxesBuffer->Release();
  WorldAxesBuffer = nullptr;
}

void drawWorldAxes() {
  if (!Device) return;
  Device->SetRenderState(D3DRS_ZENABLE, 1);
  Device->SetTransform(D3DTS_WORLD, &WorldMatrix);
  Device->SetTexture(0, nullptr);
  Device->SetTexture(1, nullptr);
  Device->SetVertexShader(nullptr);
  Device->SetPixelShader(nullptr);
  UploadTransforms();
  if (!WorldAxesBuffer) return;
  Device->SetStreamSource(0, WorldAxesBuffer, 0, sizeof(Vertex));
  Device->DrawPrimitive(D3DPT_LINELIST, 0, 5);
}
