#include "scenery.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "d3dutil/math.h"
#include "game/board.h"
#include "platform/random.h"

namespace {

struct Disc {
  float x, z, radius;
};

struct MeshChoice {
  const char* mesh;
  const char* texture;
};

constexpr MeshChoice Islands[] = {
    {"l_island", "ostrov"}, {"l_island2", "ostrov1"}, {"l_island3", "ostrov12"}, {"l_island4", "ostrov1"}};
constexpr MeshChoice Grass[] = {{"l_grass1", "trava"}, {"l_grass2", "trava"}};
constexpr MeshChoice Stones[] = {{"l_stone1", "kamen"}, {"l_stone2", "kamen"}};
constexpr MeshChoice Log = {"l_brevno", "brevno11"};
constexpr MeshChoice Mushroom = {"l_grib", "grib"};
constexpr MeshChoice Bridge = {"l_most", "doska"};

float random01() { return static_cast<float>(crtRand()) / 32768.0f; }
float randomBetween(float low, float high) { return low + (high - low) * random01(); }

SceneObject makeObject(const MeshChoice& choice, float x, float y, float z, float yaw, float scale) {
  SceneObject object{};
  std::strncpy(object.meshName, choice.mesh, sizeof object.meshName - 1);
  std::strncpy(object.textureName, choice.texture, sizeof object.textureName - 1);
  object.yaw = yaw;
  object.scale = scale;
  object.position[0] = x;
  object.position[1] = y;
  object.position[2] = z;
  return object;
}

struct Point {
  float x, z;
};

std::vector<Point> existingCells() {
  std::vector<Point> points;
  for (const HexCell& cell : Level.cells)
    if (cell.content >= 0) points.push_back({cell.x, cell.y});
  return points;
}

float distance(Point a, Point b) { return std::hypot(a.x - b.x, a.z - b.z); }

// Greedy cover of the cells by discs of about `reach`, so the islands follow
// the board's outline and leave its bays open water.
std::vector<Disc> coverWithIslands(const std::vector<Point>& cells, float reach, float margin) {
  std::vector<Disc> discs;
  std::vector<char> covered(cells.size(), 0);
  for (int round = 0; round < 12; ++round) {
    int best = -1, bestCount = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
      if (covered[i]) continue;
      int count = 0;
      for (size_t j = 0; j < cells.size(); ++j)
        if (!covered[j] && distance(cells[i], cells[j]) < reach) ++count;
      if (count > bestCount) {
        best = static_cast<int>(i);
        bestCount = count;
      }
    }
    if (best < 0) break;
    Point middle{0, 0};
    for (size_t j = 0; j < cells.size(); ++j) {
      if (covered[j] || distance(cells[best], cells[j]) >= reach) continue;
      middle.x += cells[j].x / bestCount;
      middle.z += cells[j].z / bestCount;
    }
    float radius = 0;
    for (size_t j = 0; j < cells.size(); ++j)
      if (!covered[j] && distance(cells[best], cells[j]) < reach) radius = std::max(radius, distance(middle, cells[j]));
    radius += margin;
    for (size_t j = 0; j < cells.size(); ++j)
      if (distance(middle, cells[j]) < radius - margin + 0.01f) covered[j] = 1;
    discs.push_back({middle.x, middle.z, radius});
  }
  return discs;
}

bool onLand(const std::vector<Disc>& discs, Point p, float inset) {
  for (const Disc& disc : discs)
    if (std::hypot(p.x - disc.x, p.z - disc.z) < disc.radius - inset) return true;
  return false;
}

bool clearOfCells(const std::vector<Point>& cells, Point p, float clearance) {
  for (const Point& cell : cells)
    if (distance(cell, p) < clearance) return false;
  return true;
}

void addIslands(std::vector<SceneObject>& objects, const std::vector<Disc>& discs) {
  for (size_t i = 0; i < discs.size(); ++i) {
    const MeshChoice& island = Islands[i % 4];
    objects.push_back(makeObject(island, discs[i].x, IslandTop, discs[i].z, randomBetween(0, 360), discs[i].radius));
  }
}

// Props on the shore between the tiles and the water.
void addProps(std::vector<SceneObject>& objects, const std::vector<Disc>& discs, const std::vector<Point>& cells,
              float density) {
  for (float x = -12; x < StartBoardWidth + 12; x += 1.7f) {
    for (float z = -12; z < StartBoardHeight + 12; z += 1.7f) {
      const Point p{x + randomBetween(-0.6f, 0.6f), z + randomBetween(-0.6f, 0.6f)};
      const float pick = random01();
      if (!onLand(discs, p, 0.8f) || !clearOfCells(cells, p, 1.4f) || pick > density) continue;
      const float kind = pick / density;
      const float yaw = randomBetween(0, 360);
      if (kind < 0.5f)
        objects.push_back(makeObject(Grass[crtRand() % 2], p.x, IslandTop, p.z, yaw, randomBetween(0.6f, 1.1f)));
      else if (kind < 0.72f)
        objects.push_back(makeObject(Stones[crtRand() % 2], p.x, IslandTop, p.z, yaw, randomBetween(0.4f, 0.9f)));
      else if (kind < 0.88f)
        objects.push_back(makeObject(Mushroom, p.x, IslandTop, p.z, yaw, randomBetween(0.4f, 0.7f)));
      else
        objects.push_back(makeObject(Log, p.x, IslandTop, p.z, yaw, randomBetween(0.8f, 1.3f)));
    }
  }
}

// Islets off the shore, each joined to the nearest island by a bridge.
void addIslets(std::vector<SceneObject>& objects, const std::vector<Disc>& discs, Point middle, int count) {
  for (int i = 0; i < count && !discs.empty(); ++i) {
    const float angle = (randomBetween(0, 1) + static_cast<float>(i)) * 2 * D3DX_PI / static_cast<float>(count);
    const Point direction{std::cos(angle), std::sin(angle)};
    // The outermost shore point in that direction.
    float shore = 0;
    for (const Disc& disc : discs) {
      const float along = (disc.x - middle.x) * direction.x + (disc.z - middle.z) * direction.z;
      const float across = std::fabs(-(disc.x - middle.x) * direction.z + (disc.z - middle.z) * direction.x);
      if (across >= disc.radius) continue;
      const float reach = along + std::sqrt(disc.radius * disc.radius - across * across);
      shore = std::max(shore, reach);
    }
    const float isletRadius = randomBetween(2.2f, 3.0f);
    const float gap = randomBetween(2.5f, 3.5f);
    const Point start{middle.x + direction.x * (shore - 0.6f), middle.z + direction.z * (shore - 0.6f)};
    const Point islet{middle.x + direction.x * (shore + gap + isletRadius),
                      middle.z + direction.z * (shore + gap + isletRadius)};
    objects.push_back(makeObject(Islands[3], islet.x, IslandTop, islet.z, randomBetween(0, 360), isletRadius));
    // Local +x of the bridge turned onto the direction (rotation about y).
    const float yaw = std::atan2(-direction.z, direction.x) * 180.0f / D3DX_PI;
    objects.push_back(makeObject(Bridge, start.x, IslandTop, start.z, yaw, gap + 1.2f));
    objects.push_back(makeObject(Mushroom, islet.x, IslandTop, islet.z, randomBetween(0, 360), 0.8f));
    objects.push_back(makeObject(Grass[i % 2], islet.x + 0.9f, IslandTop, islet.z - 0.7f, randomBetween(0, 360), 0.9f));
  }
}

Point middleOf(const std::vector<Point>& cells) {
  Point middle{0, 0};
  for (const Point& cell : cells) {
    middle.x += cell.x / static_cast<float>(cells.size());
    middle.z += cell.z / static_cast<float>(cells.size());
  }
  return middle;
}
}  // namespace

std::vector<SceneObject> sceneryForBoard(unsigned seed) {
  crtSrand(seed);
  const std::vector<Point> cells = existingCells();
  std::vector<SceneObject> objects;
  if (cells.empty()) return objects;
  const std::vector<Disc> discs = coverWithIslands(cells, 7.5f, 2.8f);
  addIslands(objects, discs);
  addProps(objects, discs, cells, 0.55f);
  addIslets(objects, discs, middleOf(cells), 2);
  return objects;
}

std::vector<SceneObject> menuScenery() {
  crtSrand(2024);
  const Point middle{StartBoardWidth / 2, StartBoardHeight / 2};
  const std::vector<Disc> discs = {{middle.x, middle.z, 15.0f}, {middle.x + 9, middle.z - 8, 7.0f}};
  std::vector<SceneObject> objects;
  addIslands(objects, discs);
  addProps(objects, discs, {}, 0.7f);
  addIslets(objects, discs, middle, 3);
  return objects;
}
