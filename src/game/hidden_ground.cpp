#include "game/hidden_ground.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "game/bee.h"
#include "game/board.h"
#include "game/level_files.h"
#include "render/mesh_registry.h"

namespace {
// Ground this far below the cells' faces never ties with them in the depth
// buffer.
constexpr float MinDepth = 0.05f;
// The round's camera looks down steeply: no view ray is more than about 50
// degrees off the vertical. Cover is asked for rays up to 72 degrees off it
// (a tangent of 3), so a point under the board needs cells this far round it
// for each unit it lies below them.
constexpr float CoverPerDepth = 3.0f;
constexpr float CoverSlack = 0.05f;
// The hexagon model's corner distance: a cell drawn at scale 1 covers the
// whole of its site's share of the board when the board's radius is no more.
constexpr float DrawnCellRadius = 1.0f;
constexpr float SiteTolerance = 1e-3f;
constexpr float MostSitesAcross = 1000;

struct FoundRuns {
  SceneObject object;  // as it was when the runs were found
  bool cut = false;
  std::vector<VertexRun> runs;
};
std::vector<FoundRuns> Found;

float distanceToSegment(float x, float z, const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
  const float dx = b.x - a.x, dz = b.z - a.z, length = dx * dx + dz * dz;
  const float t = length > 0 ? std::clamp(((x - a.x) * dx + (z - a.z) * dz) / length, 0.0f, 1.0f) : 0.0f;
  return std::hypot(x - (a.x + t * dx), z - (a.z + t * dz));
}

// Seen from above: 0 inside the triangle, else the distance to its edges.
float distanceToTriangle(float x, float z, const D3DXVECTOR3 c[3]) {
  float sides[3], nearest = distanceToSegment(x, z, c[0], c[1]);
  for (int i = 0; i < 3; ++i) {
    const D3DXVECTOR3 &a = c[i], &b = c[(i + 1) % 3];
    sides[i] = (b.x - a.x) * (z - a.z) - (b.z - a.z) * (x - a.x);
    nearest = std::min(nearest, distanceToSegment(x, z, a, b));
  }
  const bool inside =
      (sides[0] >= 0 && sides[1] >= 0 && sides[2] >= 0) || (sides[0] <= 0 && sides[1] <= 0 && sides[2] <= 0);
  return inside ? 0.0f : nearest;
}

int rowLength(int row) { return rowStart(row + 1) - rowStart(row); }

// An existing cell stands on the board's site (row, column) at (x, z).
bool siteCovered(int row, int column, float x, float z) {
  if (column < 0 || column >= rowLength(row)) return false;
  const int index = rowStart(row) + column;
  return cellExists(index) && std::fabs(Level.cells[index].x - x) < SiteTolerance &&
         std::fabs(Level.cells[index].y - z) < SiteTolerance;
}

// Every site whose share of the board comes within `margin` of the
// triangle (seen from above) holds a cell. The sites off the board's rows
// count as holes.
bool coveredAround(const D3DXVECTOR3 c[3], float margin) {
  const float radius = Level.cellRadius, step = radius * Cos30, reach = radius + margin;
  const float lowX = std::min({c[0].x, c[1].x, c[2].x}) - reach, highX = std::max({c[0].x, c[1].x, c[2].x}) + reach;
  const float lowZ = std::min({c[0].z, c[1].z, c[2].z}) - reach, highZ = std::max({c[0].z, c[1].z, c[2].z}) + reach;
  const float firstRow = std::ceil(((lowZ - Level.originY) / radius - 1) / 1.5f);
  const float lastRow = std::floor(((highZ - Level.originY) / radius - 1) / 1.5f);
  if (!(firstRow >= 0 && lastRow < Level.rowCount)) return false;
  for (int row = static_cast<int>(firstRow); row <= static_cast<int>(lastRow); ++row) {
    const int shift = row % 2;
    const float z = Level.originY + radius * (1.5f * static_cast<float>(row) + 1);
    const float firstColumn = std::ceil(((lowX - Level.originX) / step - 1 - shift) / 2);
    const float lastColumn = std::floor(((highX - Level.originX) / step - 1 - shift) / 2);
    if (!(firstColumn >= -1 && lastColumn <= MostSitesAcross)) return false;
    for (int column = static_cast<int>(firstColumn); column <= static_cast<int>(lastColumn); ++column) {
      const float x = Level.originX + static_cast<float>(2 * column + 1 + shift) * step;
      if (distanceToTriangle(x, z, c) <= reach && !siteCovered(row, column, x, z)) return false;
    }
  }
  return true;
}

bool finite(const D3DXVECTOR3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// The runs of the node's triangles that are not hidden; false when none is.
bool visibleRuns(const MeshNode& node, const D3DXMATRIX& placing, std::vector<VertexRun>* runs) {
  if (node.positions.size() != static_cast<size_t>(node.vertexCount)) return false;
  const D3DXMATRIX world = node.matrix * placing;
  bool anyHidden = false;
  for (int32_t first = 0; first + 3 <= node.vertexCount; first += 3) {
    D3DXVECTOR3 corners[3];
    for (int k = 0; k < 3; ++k) D3DXVec3TransformCoord(&corners[k], &node.positions[first + k], &world);
    if (hiddenUnderBoard(corners)) {
      anyHidden = true;
    } else if (!runs->empty() && runs->back().first + runs->back().count == first) {
      runs->back().count += 3;
    } else {
      runs->push_back({first, 3});
    }
  }
  return anyHidden;
}
}  // namespace

bool hiddenUnderBoard(const D3DXVECTOR3 corners[3]) {
  if (!(Level.cellRadius > 0 && Level.cellRadius <= DrawnCellRadius)) return false;
  float lowest = BoardPlaneHeight;
  for (int k = 0; k < 3; ++k) {
    if (!finite(corners[k]) || !(corners[k].y <= BoardPlaneHeight - MinDepth)) return false;
    lowest = std::min(lowest, corners[k].y);
  }
  return coveredAround(corners, CoverPerDepth * (BoardPlaneHeight - lowest) + CoverSlack);
}

D3DXMATRIX sceneObjectPlacing(const SceneObject& object) {
  D3DXMATRIX scaling, turning, moving;
  D3DXMatrixScaling(&scaling, object.scale, object.scale, object.scale);
  D3DXMatrixRotationY(&turning, D3DXToRadian(object.yaw));
  D3DXMatrixTranslation(&moving, object.position[0], object.position[1], object.position[2]);
  return scaling * turning * moving;
}

void findHiddenGround() {
  Found.clear();
  for (const SceneObject& object : SceneObjectList) {
    FoundRuns found{object, false, {}};
    const Mesh mesh = Meshes.find(object.meshName);
    if (Meshes.names.indexOf(object.meshName) >= 0 && mesh.root)
      found.cut = visibleRuns(*mesh.root, sceneObjectPlacing(object), &found.runs);
    Found.push_back(std::move(found));
  }
}

void forgetHiddenGround() { Found.clear(); }

const std::vector<VertexRun>* visibleGroundRuns(size_t sceneObject) {
  if (sceneObject >= Found.size() || sceneObject >= SceneObjectList.size()) return nullptr;
  const FoundRuns& found = Found[sceneObject];
  if (!found.cut || std::memcmp(&found.object, &SceneObjectList[sceneObject], sizeof(SceneObject)) != 0)
    return nullptr;
  return &found.runs;
}
