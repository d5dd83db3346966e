// The .msh text format: one node (name, matrix, positions, normals, position
// triangles, texture file, texture coordinates, coordinate triangles, child
// count, children), read item by item with formatted input. Counts are not
// trusted: arrays grow only as far as the file really holds items, so a
// wrong count costs no more memory than the file's size.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/graphics_device.h"
#include "platform/files.h"
#include "render/mesh.h"

namespace {

// Deeper trees than any model needs are taken as a broken file.
constexpr int kMaxDepth = 64;

class MeshFile {
 public:
  explicit MeshFile(FILE* file) : file_(file) {}

  // A word up to the next white space; the first keep - 1 characters are
  // kept (NUL-terminated), the rest of the word is skipped.
  bool word(char* out, size_t keep) {
    int c;
    do c = std::getc(file_);
    while (c != EOF && std::isspace(c));
    if (c == EOF) return false;
    size_t length = 0;
    for (; c != EOF && !std::isspace(c); c = std::getc(file_))
      if (length + 1 < keep) out[length++] = static_cast<char>(c);
    out[length] = '\0';
    return true;
  }

  // "%i" (0 octal, 0x hexadecimal) or "%d"; negative counts read as 0.
  bool count(bool anyBase, long long* value) {
    if (std::fscanf(file_, anyBase ? "%lli" : "%lld", value) != 1) return false;
    if (*value < 0) *value = 0;
    return true;
  }

  bool integers(long long* out, int n) {
    for (int i = 0; i < n; ++i)
      if (std::fscanf(file_, "%lld", &out[i]) != 1) return false;
    return true;
  }

  bool floats(float* out, int n) {
    for (int i = 0; i < n; ++i)
      if (std::fscanf(file_, "%f", &out[i]) != 1) return false;
    return true;
  }

  // Up to `wanted` groups of three floats; false when the file ends first.
  bool vectors(long long wanted, std::vector<D3DVECTOR>* out) {
    for (long long i = 0; i < wanted; ++i) {
      float v[3];
      if (!floats(v, 3)) return false;
      out->push_back({v[0], v[1], v[2]});
    }
    return true;
  }

  bool triples(long long wanted, std::vector<long long>* out) {
    for (long long i = 0; i < wanted; ++i) {
      long long t[3];
      if (!integers(t, 3)) return false;
      out->insert(out->end(), t, t + 3);
    }
    return true;
  }

 private:
  FILE* file_;
};

struct Geometry {
  std::vector<D3DVECTOR> positions, normals, coordinates;
  std::vector<long long> positionIndices, coordinateIndices;
};

bool ReadGeometry(MeshFile& in, Geometry* g, MeshNode* node) {
  long long positionCount, triangleCount, coordinateCount;
  if (!in.count(true, &positionCount) || !in.vectors(positionCount, &g->positions)) return false;
  if (!in.vectors(positionCount, &g->normals)) return false;
  if (!in.count(false, &triangleCount) || !in.triples(triangleCount, &g->positionIndices)) return false;
  if (!in.word(node->textureName, MeshNode::kNameSize)) return false;
  size_t length = std::strlen(node->textureName);
  node->textureName[length >= 4 ? length - 4 : 0] = '\0';
  if (!in.count(true, &coordinateCount) || !in.vectors(coordinateCount, &g->coordinates)) return false;
  return in.triples(triangleCount, &g->coordinateIndices);
}

bool InRange(long long index, size_t size) { return index >= 0 && static_cast<unsigned long long>(index) < size; }

void ExpandTriangles(const Geometry& g, MeshNode* node) {
  size_t triangles = g.positionIndices.size() / 3;
  for (size_t t = 0; t < triangles; ++t) {
    const long long* p = &g.positionIndices[3 * t];
    const long long* q = &g.coordinateIndices[3 * t];
    bool valid = true;
    for (int k = 0; k < 3; ++k)
      valid = valid && InRange(p[k], g.positions.size()) && InRange(q[k], g.coordinates.size());
    if (!valid) continue;  // an index outside its array: the triangle is left out
    for (int k = 0; k < 3; ++k) {
      Vertex vertex{};
      vertex.position = g.positions[p[k]];
      vertex.normal = g.normals[p[k]];
      vertex.colour = 0xFFFFFFFF;
      vertex.u0 = g.coordinates[q[k]].x;
      vertex.v0 = 1.0f - g.coordinates[q[k]].y;
      node->vertices.push_back(vertex);
      node->positions.push_back(g.positions[p[k]]);
    }
  }
  node->vertexCount = static_cast<int32_t>(node->vertices.size());
}

void ComputeBounds(MeshNode* node) {
  node->boundsMin = D3DXVECTOR3(9999, 9999, 9999);
  node->boundsMax = D3DXVECTOR3(-9999, -9999, -9999);
  for (const Vertex& vertex : node->vertices) {
    D3DXVECTOR3 p(vertex.position);
    D3DXVec3Minimize(&node->boundsMin, &node->boundsMin, &p);
    D3DXVec3Maximize(&node->boundsMax, &node->boundsMax, &p);
  }
}

void CreateVertexBuffer(MeshNode* node) {
  if (node->vertexCount == 0 || !Device) return;
  UINT bytes = static_cast<UINT>(node->vertices.size() * sizeof(Vertex));
  // Managed: the system keeps a copy, so a device reset need not read the model again.
  if (FAILED(Device->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED, &node->vertexBuffer)))
    return;
  void* data = nullptr;
  if (SUCCEEDED(node->vertexBuffer->Lock(0, 0, &data, 0)) && data) {
    std::memcpy(data, node->vertices.data(), bytes);
    node->vertexBuffer->Unlock();
    // The buffer holds them now; a second copy would only add to the peak memory.
    std::vector<Vertex>().swap(node->vertices);
  }
}

enum class NodeRead {
  Nothing,  // not even a name and a matrix: the node does not exist
  Broken,   // cut off or malformed after its start; nothing more is read
  Whole,
};

// Reads one node into `node`, which keeps whatever was complete.
NodeRead ReadNode(MeshFile& in, const D3DXMATRIX& parent, MeshNode* node, int depth) {
  float own[16];
  if (!in.word(node->name, MeshNode::kNameSize) || !in.floats(own, 16)) return NodeRead::Nothing;
  D3DXMATRIX ownMatrix(own);
  D3DXMatrixMultiply(&node->matrix, &parent, &ownMatrix);
  node->baseMatrix = node->matrix;
  Geometry geometry;
  if (!ReadGeometry(in, &geometry, node)) return NodeRead::Broken;
  ExpandTriangles(geometry, node);
  ComputeBounds(node);
  CreateVertexBuffer(node);
  long long childCount;
  if (!in.count(false, &childCount)) return NodeRead::Broken;
  for (long long i = 0; i < childCount; ++i) {
    if (depth + 1 >= kMaxDepth) return NodeRead::Broken;
    auto child = std::make_unique<MeshNode>();
    NodeRead read = ReadNode(in, node->matrix, child.get(), depth + 1);
    if (read == NodeRead::Nothing) return NodeRead::Broken;
    node->children.push_back(std::move(child));
    if (read == NodeRead::Broken) return NodeRead::Broken;
  }
  return NodeRead::Whole;
}

}  // namespace

Mesh loadMesh(const char* path) {
  Mesh mesh;
  FILE* file = path ? OpenFile(path, "rt") : nullptr;
  if (!file) return mesh;
  mesh.root = std::make_unique<MeshNode>();
  MeshFile in(file);
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  ReadNode(in, identity, mesh.root.get(), 0);
  std::fclose(file);
  return mesh;
}
