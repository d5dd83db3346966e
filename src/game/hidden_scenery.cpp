#include "game/hidden_scenery.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/graphics_device.h"
#include "core/options.h"
#include "game/bee.h"
#include "game/board.h"
#include "game/level_files.h"
#include "render/interface_quads.h"
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
std::vector<VertexRun> SkyRuns;

float distanceToSegment(float x, float z, const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
  const float dx = b.x - a.x, dz = b.z - a.z, length = dx * dx + dz * dz;
  const float t = length > 0 ? std::clamp(((x - a.x) * dx + (z - a.z) * dz) / length, 0.0f, 1.0f) : 0.0f;
  return std::hypot(x - (a.x + t * dx), z - (a.z + t * dz));
}

// Seen from above: 0 inside the triangle, else the distance to its edges.
float distanceToTriangle(float x, float z, const D3DXVECTOR3 c[3]) {
  float sides[3], nearest = std::numeric_limits<float>::max();
  for (int i = 0; i < 3; ++i) {
    const D3DXVECTOR3 &a = c[i], &b = c[(i + 1) % 3];
    sides[i] = (b.x - a.x) * (z - a.z) - (b.z - a.z) * (x - a.x);
    nearest = std::min(nearest, distanceToSegment(x, z, a, b));
  }
  const bool inside =
      (sides[0] >= 0 && sides[1] >= 0 && sides[2] >= 0) || (sides[0] <= 0 && sides[1] <= 0 && sides[2] <= 0);
  return inside ? 0.0f : nearest;
}

// An existing cell stands on the board's site (row, column) at (x, z).
bool siteCovered(int row, int column, float x, float z) {
  if (column < 0 || column >= rowLength(Level, row)) return false;
  const int index = rowStart(Level, row) + column;
  return cellExists(Level, index) && std::fabs(Level.cells[index].x - x) < SiteTolerance &&
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
  if (!(firstRow >= 0 && lastRow < Level.rowCount && lastRow - firstRow < MostSitesAcross)) return false;
  for (int row = static_cast<int>(firstRow); row <= static_cast<int>(lastRow); ++row) {
    const int shift = row % 2;
    const float z = Level.originY + radius * (1.5f * static_cast<float>(row) + 1);
    const float firstColumn = std::ceil(((lowX - Level.originX) / step - 1 - shift) / 2);
    const float lastColumn = std::floor(((highX - Level.originX) / step - 1 - shift) / 2);
    if (!(firstColumn >= -MostSitesAcross && lastColumn <= MostSitesAcross)) return false;
    for (int column = static_cast<int>(firstColumn); column <= static_cast<int>(lastColumn); ++column) {
      const float x = Level.originX + static_cast<float>(2 * column + 1 + shift) * step;
      if (!siteCovered(row, column, x, z) && distanceToTriangle(x, z, c) <= reach) return false;
    }
  }
  return true;
}

bool finite(const D3DXVECTOR3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// Where a view made by D3DXMatrixLookAtLH looks from: its rows turn the world
// and its last row moves it, so the eye is that move turned back.
D3DXVECTOR3 eyeOf(const D3DXMATRIX& view) {
  D3DXVECTOR3 eye;
  float* out[3] = {&eye.x, &eye.y, &eye.z};
  for (int i = 0; i < 3; ++i)
    *out[i] = -(view(3, 0) * view(i, 0) + view(3, 1) * view(i, 1) + view(3, 2) * view(i, 2));
  return eye;
}

// All the points fall on the screen inside one of the rectangles the
// interface made nearest. A pixel in from each side: the rectangles are whole
// pixels, the points' places on the screen not quite.
bool pointsUnderInterface(const D3DXVECTOR3* points, int count, const D3DXMATRIX& viewProjection) {
  constexpr int MostPoints = 8;
  float x[MostPoints], y[MostPoints];
  if (count > MostPoints) return false;
  for (int k = 0; k < count; ++k) {
    D3DXVECTOR4 clip;
    D3DXVec3Transform(&clip, &points[k], &viewProjection);
    if (!(clip.w > 0)) return false;
    x[k] = (clip.x / clip.w + 1) * 0.5f * static_cast<float>(Options.width);
    y[k] = (1 - clip.y / clip.w) * 0.5f * static_cast<float>(Options.height);
  }
  for (const D3DRECT& rect : hiddenSceneRects()) {
    bool inside = true;
    for (int k = 0; k < count; ++k)
      inside = inside && x[k] >= static_cast<float>(rect.x1 + 1) && x[k] <= static_cast<float>(rect.x2 - 1) &&
               y[k] >= static_cast<float>(rect.y1 + 1) && y[k] <= static_cast<float>(rect.y2 - 1);
    if (inside) return true;
  }
  return false;
}

bool boardCovers(const D3DXVECTOR3 corners[3], float margin) {
  return Level.cellRadius > 0 && Level.cellRadius <= DrawnCellRadius && coveredAround(corners, margin);
}

// The runs of the node's triangles that are not hidden; false when none is.
template <typename Hidden>
bool visibleRuns(const MeshNode& node, const D3DXMATRIX& placing, std::vector<VertexRun>* runs, Hidden hidden) {
  if (node.positions.size() != static_cast<size_t>(node.vertexCount)) return false;
  const D3DXMATRIX world = node.matrix * placing;
  bool anyHidden = false;
  for (int32_t first = 0; first + 3 <= node.vertexCount; first += 3) {
    D3DXVECTOR3 corners[3];
    for (int k = 0; k < 3; ++k) D3DXVec3TransformCoord(&corners[k], &node.positions[first + k], &world);
    if (hidden(corners)) {
      anyHidden = true;
    } else if (!runs->empty() && runs->back().first + runs->back().count == first) {
      runs->back().count += 3;
    } else {
      runs->push_back({first, 3});
    }
  }
  return anyHidden;
}

// Lies below the cells, and every cell near enough to cover it from any
// slanting view exists.
bool hiddenUnderBoard(const D3DXVECTOR3 corners[3]) {
  float lowest = BoardPlaneHeight;
  for (int k = 0; k < 3; ++k) {
    if (!finite(corners[k]) || !(corners[k].y <= BoardPlaneHeight - MinDepth)) return false;
    lowest = std::min(lowest, corners[k].y);
  }
  return boardCovers(corners, CoverPerDepth * (BoardPlaneHeight - lowest) + CoverSlack);
}

// Each corner's sight line from the eye meets the board's plane; the
// triangle between those points is what the cells must cover.
bool hiddenBehindBoard(const D3DXVECTOR3 corners[3], const D3DXVECTOR3& eye) {
  if (!finite(eye) || !(eye.y > BoardPlaneHeight)) return false;
  D3DXVECTOR3 met[3];
  for (int k = 0; k < 3; ++k) {
    if (!finite(corners[k]) || !(corners[k].y < BoardPlaneHeight - 1)) return false;
    met[k] = eye + (corners[k] - eye) * ((eye.y - BoardPlaneHeight) / (eye.y - corners[k].y));
  }
  return boardCovers(met, CoverSlack);
}

}  // namespace

bool boxUnderInterface(const D3DXVECTOR3& low, const D3DXVECTOR3& high, const D3DXMATRIX& world) {
  if (hiddenSceneRects().empty()) return false;
  D3DXVECTOR3 corners[8];
  for (int i = 0; i < 8; ++i) {
    const D3DXVECTOR3 corner(i & 1 ? high.x : low.x, i & 2 ? high.y : low.y, i & 4 ? high.z : low.z);
    D3DXVec3TransformCoord(&corners[i], &corner, &world);
  }
  return pointsUnderInterface(corners, 8, Graphics.ViewMatrix * Graphics.ProjectionMatrix);
}

const std::vector<VertexRun>* visibleSkyRuns(const MeshNode& sky, const D3DXMATRIX& placing) {
  const D3DXVECTOR3 eye = eyeOf(Graphics.ViewMatrix);
  const D3DXMATRIX viewProjection = Graphics.ViewMatrix * Graphics.ProjectionMatrix;
  SkyRuns.clear();
  const bool cut = visibleRuns(sky, placing, &SkyRuns, [&](const D3DXVECTOR3 corners[3]) {
    return hiddenBehindBoard(corners, eye) || pointsUnderInterface(corners, 3, viewProjection);
  });
  return cut ? &SkyRuns : nullptr;
}

D3DXMATRIX sceneObjectPlacing(const SceneObject& object) {
  return meshPlacing(D3DXVECTOR3(object.position[0], object.position[1], object.position[2]), 0, object.yaw, 0,
                     object.scale);
}

void findHiddenGround() {
  Found.clear();
  for (const SceneObject& object : Levels.SceneObjectList) {
    FoundRuns found{object, false, {}};
    const Mesh mesh = Meshes.find(object.meshName);
    if (Meshes.names.indexOf(object.meshName) >= 0 && mesh.root)
      found.cut = visibleRuns(*mesh.root, sceneObjectPlacing(object), &found.runs, hiddenUnderBoard);
    Found.push_back(std::move(found));
  }
}

void forgetHiddenGround() { Found.clear(); }

const std::vector<VertexRun>* visibleGroundRuns(size_t sceneObject) {
  if (sceneObject >= Found.size() || sceneObject >= Levels.SceneObjectList.size()) return nullptr;
  const FoundRuns& found = Found[sceneObject];
  if (!found.cut || std::memcmp(&found.object, &Levels.SceneObjectList[sceneObject], sizeof(SceneObject)) != 0)
    return nullptr;
  return &found.runs;
}
