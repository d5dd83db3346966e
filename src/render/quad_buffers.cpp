#include "render/quad_buffers.h"

#include <cstring>

#include "core/graphics_device.h"
#include "render/vertex.h"

QuadBufferSet QuadBuffers;

namespace {

Vertex Corner(float x, float y, float z, float u, float v) {
  Vertex vertex{};
  vertex.position = {x, y, z};
  vertex.colour = 0xFFFFFFFF;
  vertex.u0 = u;
  vertex.v0 = v;
  return vertex;
}

void Release(IDirect3DVertexBuffer9*& buffer) {
  if (buffer) buffer->Release();
  buffer = nullptr;
}

}  // namespace

IDirect3DVertexBuffer9* CreateFilledVertexBuffer(const Vertex* vertices, unsigned count) {
  if (!Device) return nullptr;
  IDirect3DVertexBuffer9* buffer = nullptr;
  UINT bytes = count * sizeof(Vertex);
  if (FAILED(Device->CreateVertexBuffer(bytes, 0, Graphics.VertexFormat, D3DPOOL_DEFAULT, &buffer))) return nullptr;
  void* data = nullptr;
  if (SUCCEEDED(buffer->Lock(0, 0, &data, 0)) && data) {
    std::memcpy(data, vertices, bytes);
    buffer->Unlock();
  }
  return buffer;
}

void CreateUnitQuadBuffer() {
  const Vertex corners[4] = {Corner(0, 0, -1.125f, 0, 0), Corner(0, 1, -1.125f, 0, 1),
                             Corner(1, 0, -1.125f, 1, 0), Corner(1, 1, -1.125f, 1, 1)};
  QuadBuffers.UnitQuadBuffer = CreateFilledVertexBuffer(corners, 4);
}

void CreateBillboardQuadBuffer() {
  if (!Graphics.ShaderPath) return;
  const Vertex corners[4] = {Corner(-1, -1, 0, 0, 1), Corner(1, -1, 0, 1, 1), Corner(-1, 1, 0, 0, 0),
                             Corner(1, 1, 0, 1, 0)};
  QuadBuffers.BillboardQuadBuffer = CreateFilledVertexBuffer(corners, 4);
}

void ReleaseUnitQuadBuffer() { Release(QuadBuffers.UnitQuadBuffer); }
void ReleaseBillboardQuadBuffer() { Release(QuadBuffers.BillboardQuadBuffer); }
