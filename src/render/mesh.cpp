#include "render/mesh.h"

#include "core/graphics_device.h"
#include "core/shader_registers.h"
#include "render/transforms.h"

MeshNode::MeshNode() {
  D3DXMatrixIdentity(&baseMatrix);
  D3DXMatrixIdentity(&matrix);
}

MeshNode::~MeshNode() {
  if (vertexBuffer) vertexBuffer->Release();
}

void MeshNode::draw(const std::vector<VertexRun>* runs) const {
  const D3DXMATRIX savedWorld = Graphics.WorldMatrix, savedView = Graphics.ViewMatrix;
  D3DXMATRIX world, transposed;
  D3DXMatrixMultiply(&world, &matrix, &Graphics.WorldMatrix);
  D3DXMatrixTranspose(&transposed, &world);
  Device->SetVertexShaderConstantF(VsObjectMatrix, transposed, 4);
  Graphics.WorldMatrix = world;
  UploadTransforms();
  if (vertexBuffer && vertexCount >= 3) {
    Device->SetStreamSource(0, vertexBuffer, 0, kVertexStride);
    if (!runs) {
      Device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, vertexCount / 3);
    } else {
      for (const VertexRun& run : *runs)
        if (run.first >= 0 && run.count >= 3 && run.first + run.count <= vertexCount)
          Device->DrawPrimitive(D3DPT_TRIANGLELIST, run.first, run.count / 3);
    }
  }
  Graphics.WorldMatrix = savedWorld;
  Graphics.ViewMatrix = savedView;
}

void MeshNode::drawTree(const std::vector<VertexRun>* runs) const {
  draw(runs);
  for (const auto& child : children) child->drawTree();
}

namespace {

void DrawWithWorld(const MeshNode& root, const D3DXMATRIX& world, const std::vector<VertexRun>* rootRuns = nullptr) {
  const D3DXMATRIX saved = Graphics.WorldMatrix;
  Graphics.WorldMatrix = world;
  root.drawTree(rootRuns);
  Graphics.WorldMatrix = saved;
}

}  // namespace

void Mesh::drawAt(const D3DXVECTOR3& position, float scale) const {
  if (!root || !Device) return;
  D3DXMATRIX scaling, translation, world;
  D3DXMatrixScaling(&scaling, scale, scale, scale);
  D3DXMatrixTranslation(&translation, position.x, position.y, position.z);
  D3DXMatrixMultiply(&world, &scaling, &translation);
  DrawWithWorld(*root, world);
}

void Mesh::drawTransformed(const D3DXVECTOR3& position, float angleX, float angleY, float angleZ, float scale,
                           const std::vector<VertexRun>* rootRuns) const {
  if (!root || !Device) return;
  DrawWithWorld(*root, meshPlacing(position, angleX, angleY, angleZ, scale), rootRuns);
}

D3DXMATRIX meshPlacing(const D3DXVECTOR3& position, float angleX, float angleY, float angleZ, float scale) {
  D3DXMATRIX scaling, rx, ry, rz, translation;
  D3DXMatrixScaling(&scaling, scale, scale, scale);
  D3DXMatrixRotationX(&rx, D3DXToRadian(angleX));
  D3DXMatrixRotationY(&ry, D3DXToRadian(angleY));
  D3DXMatrixRotationZ(&rz, D3DXToRadian(angleZ));
  D3DXMatrixTranslation(&translation, position.x, position.y, position.z);
  return scaling * rz * ry * rx * translation;
}

void releaseMesh(Mesh& mesh) {
  mesh.root.reset();
}
