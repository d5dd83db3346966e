#include "render/billboards.h"

#include "core/camera.h"
#include "core/graphics_device.h"
#include "core/shader_registers.h"
#include "render/material.h"
#include "render/quad_buffers.h"
#include "render/shader_library.h"
#include "render/texture_cache.h"
#include "render/transforms.h"
#include "render/vertex.h"

namespace {

// The current batch: the camera basis (rows right, up, direction) and, for
// the fixed-function path, which has no tint register, the colour that goes
// into the vertices for the texture stage to multiply in.
struct BillboardState {
  D3DXMATRIX BillboardMatrix = [] {
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    return identity;
  }();
  D3DCOLOR batchColour = 0xFFFFFFFF;
} billboards;

void SetRow(D3DXMATRIX& m, int row, const D3DXVECTOR3& v) {
  m(row, 0) = v.x;
  m(row, 1) = v.y;
  m(row, 2) = v.z;
}

void DrawCornersFromMemory(const D3DXVECTOR3& position, float hx, float hy) {
  const float offsets[4][2] = {{-hx, -hy}, {hx, -hy}, {-hx, hy}, {hx, hy}};
  const float uvs[4][2] = {{0, 1}, {1, 1}, {0, 0}, {1, 0}};
  Vertex corners[4] = {};
  for (int i = 0; i < 4; ++i) {
    D3DXVECTOR4 offset(offsets[i][0], offsets[i][1], 0, 1), turned;
    D3DXVec4Transform(&turned, &offset, &billboards.BillboardMatrix);
    corners[i].position = {position.x + turned.x, position.y + turned.y, position.z + turned.z};
    corners[i].colour = billboards.batchColour;
    corners[i].u0 = uvs[i][0];
    corners[i].v0 = uvs[i][1];
  }
  UploadTransforms();
  Device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, corners, sizeof(Vertex));
}

}  // namespace

void beginBillboards(const char* textureName, const uint8_t colour[4]) {
  if (!Device) return;
  D3DXMATRIX& basis = billboards.BillboardMatrix;
  D3DXMatrixIdentity(&basis);
  if (Cameras.CurrentCamera) {
    SetRow(basis, 0, Cameras.CurrentCamera->right);
    SetRow(basis, 1, Cameras.CurrentCamera->up);
    SetRow(basis, 2, Cameras.CurrentCamera->direction);
  }
  constexpr float kByteToUnit = 0.003921569f;
  const float tint[4] = {colour[0] * kByteToUnit, colour[1] * kByteToUnit, colour[2] * kByteToUnit,
                         colour[3] * kByteToUnit};
  Device->SetPixelShaderConstantF(PsTint, tint, 1);
  billboards.batchColour = static_cast<D3DCOLOR>(colour[3]) << 24 | static_cast<D3DCOLOR>(colour[0]) << 16 |
                           static_cast<D3DCOLOR>(colour[1]) << 8 | colour[2];
  Textures.bindTexture(0, textureName);
  Shaders.bindPixelProgram("bill");
  Shaders.bindVertexProgram("bill");
  UploadTransforms();
  if (Graphics.ShaderPath) Device->SetStreamSource(0, QuadBuffers.BillboardQuadBuffer, 0, sizeof(Vertex));
  Device->SetRenderState(D3DRS_ZWRITEENABLE, 0);
}

void drawBillboard(const D3DXVECTOR3& position, float sizeX, float sizeY) {
  if (!Device) return;
  const float hx = 0.5f * sizeX, hy = 0.5f * sizeY;
  if (!Graphics.ShaderPath) {
    DrawCornersFromMemory(position, hx, hy);
    return;
  }
  const float centre[4] = {position.x, position.y, position.z, 0};
  const float halfSize[4] = {hx, hy, 1, 1};
  D3DXMATRIX transposed;
  D3DXMatrixTranspose(&transposed, &billboards.BillboardMatrix);
  Device->SetVertexShaderConstantF(VsBillboardCentre, centre, 1);
  Device->SetVertexShaderConstantF(VsBillboardHalfSize, halfSize, 1);
  Device->SetVertexShaderConstantF(VsObjectMatrix, transposed, 4);
  Device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
}

void endBillboards() {
  Materials.bindMaterial("empty");
  if (Device) Device->SetRenderState(D3DRS_ZWRITEENABLE, 1);
}
