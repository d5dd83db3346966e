#pragma once
// Models: a tree of named nodes, each with its accumulated matrix and a
// triangle list in its own vertex buffer, drawn with whatever material and
// texture the caller bound.
#include <cstdint>
#include <memory>
#include <vector>

#include "d3dutil/math.h"
#include "platform/d3d9/d3d9.h"
#include "render/vertex.h"

// A stretch of a node's triangle list, in vertices.
struct VertexRun {
  int32_t first = 0, count = 0;
};

struct MeshNode {
  static constexpr int kNameSize = 32;

  int32_t vertexCount = 0;        // three per triangle
  std::vector<Vertex> vertices;   // the expanded triangle list, until it is in the vertex buffer
  // The expanded triangle list's positions, kept once the buffer has the
  // rest: the round finds the parts of its scenery no camera can see by them.
  std::vector<D3DXVECTOR3> positions;
  IDirect3DVertexBuffer9* vertexBuffer = nullptr;
  D3DXMATRIX baseMatrix;
  char name[kNameSize] = {};
  char textureName[kNameSize] = {};  // without its extension; not bound by drawing
  D3DXVECTOR3 boundsMin, boundsMax;  // of the node's own vertices, as in the file
  D3DXMATRIX matrix;                 // parent's matrix times the node's own
  std::vector<std::unique_ptr<MeshNode>> children;

  MeshNode();
  ~MeshNode();
  MeshNode(const MeshNode&) = delete;
  MeshNode& operator=(const MeshNode&) = delete;

  // This node alone, placed by its matrix on top of Graphics.WorldMatrix; with runs,
  // only those stretches of its triangles.
  void draw(const std::vector<VertexRun>* runs = nullptr) const;
  // The node (with runs, only those stretches of its triangles), then its
  // children depth first.
  void drawTree(const std::vector<VertexRun>* runs = nullptr) const;
};

// A handle to a loaded tree; copies share it. No root: the file could not be
// opened, and drawing does nothing.
struct Mesh {
  std::shared_ptr<MeshNode> root;

  // Graphics.WorldMatrix = scaling x translation for the tree, then restored.
  void drawAt(const D3DXVECTOR3& position, float scale) const;
  // Graphics.WorldMatrix = scaling x Rz x Ry x Rx x translation; angles in degrees.
  // With rootRuns, the root node draws only those stretches of its triangles.
  void drawTransformed(const D3DXVECTOR3& position, float angleX, float angleY, float angleZ, float scale,
                       const std::vector<VertexRun>* rootRuns = nullptr) const;
};

// The Graphics.WorldMatrix Mesh::drawTransformed places a tree by.
D3DXMATRIX meshPlacing(const D3DXVECTOR3& position, float angleX, float angleY, float angleZ, float scale);

// Reads a .msh file. Whatever the file holds, the result is safe to draw: a
// malformed or truncated file keeps the nodes read before the fault, and
// triangles with an index outside their arrays are left out.
Mesh loadMesh(const char* path);
// Lets go of the tree: it and its vertex buffers are freed with the last
// copy of the handle.
void releaseMesh(Mesh& mesh);
