#include "island_shapes.h"

#include <cmath>

#include "board_setup.h"
#include "d3dutil/math.h"
#include "game/board.h"

namespace {

bool disc(float u, float v, float cu, float cv, float radius) {
  return (u - cu) * (u - cu) + (v - cv) * (v - cv) < radius * radius;
}

// A disc whose centre lies `distance` from the middle at `degrees` (0 = right).
bool lobe(float u, float v, float degrees, float distance, float radius) {
  const float a = degrees * D3DX_PI / 180.0f;
  return disc(u, v, distance * std::cos(a), distance * std::sin(a), radius);
}

bool round(float u, float v) { return u * u + v * v < 1.0f; }

bool heart(float u, float v) {
  const float w = 1.2f * v + 0.15f - 0.85f * std::sqrt(std::fabs(u));
  return u * u + w * w < 1.0f;
}

bool crescent(float u, float v) { return round(u, v) && !disc(u, v, 0.55f, 0.25f, 0.75f); }

bool clover(float u, float v) {
  for (float angle : {45.0f, 135.0f, 225.0f, 315.0f})
    if (lobe(u, v, angle, 0.62f, 0.4f)) return true;
  const bool stem = std::fabs(u + 0.3f * (v + 0.6f)) < 0.1f && v > -1.05f && v < -0.3f;
  return disc(u, v, 0, 0, 0.3f) || stem;
}

bool butterfly(float u, float v) {
  return lobe(u, v, 40, 0.55f, 0.5f) || lobe(u, v, 140, 0.55f, 0.5f) || lobe(u, v, -50, 0.5f, 0.38f) ||
         lobe(u, v, -130, 0.5f, 0.38f) || u * u / 0.03f + v * v / 0.6f < 1.0f;
}

bool star(float u, float v) {
  const float turn = std::atan2(u, v) * 5.0f / (2.0f * D3DX_PI) + 0.5f;
  const float towardsPoint = 1.0f - std::fabs((turn - std::floor(turn)) * 2.0f - 1.0f);
  return std::hypot(u, v) < 0.55f + 0.45f * std::pow(towardsPoint, 1.4f);
}

// A ring round a lagoon that opens to the south.
bool atoll(float u, float v) {
  const float r = std::hypot(u, v);
  return r > 0.38f && r < 1.0f && !(std::fabs(u) < 0.15f && v < -0.3f);
}

bool sun(float u, float v) { return std::hypot(u, v) < 0.9f + 0.1f * std::cos(8.0f * std::atan2(u, v)); }

void removeLooseTips() {
  for (bool changed = true; changed;) {
    changed = false;
    for (int i = 0; i < Level.cellCount; ++i) {
      if (!cellExists(Level, i)) continue;
      int neighbours = 0;
      for (int direction : Directions)
        if (neighbour(Level, i, direction) >= 0) ++neighbours;
      if (neighbours <= 1) {
        Level.cells[i].content = CellHole;
        changed = true;
      }
    }
  }
}

int cellNearest(float x, float y) {
  int best = -1;
  float bestDistance = 0;
  for (int i = 0; i < Level.cellCount; ++i) {
    if (!cellExists(Level, i)) continue;
    const float dx = Level.cells[i].x - x, dy = Level.cells[i].y - y;
    const float distance = dx * dx + dy * dy;
    if (best < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}
}  // namespace

const std::vector<IslandShape>& islandShapes() {
  static const std::vector<IslandShape> shapes = {
      {"round", round, 9.0f, 9.0f},         {"heart", heart, 11.0f, 11.0f},
      {"crescent", crescent, 14.2f, 14.2f}, {"clover", clover, 13.5f, 15.0f},
      {"butterfly", butterfly, 14.5f, 15.0f}, {"star", star, 16.5f, 20.5f},
      {"atoll", atoll, 14.5f, 17.5f},       {"sun", sun, 16.0f, 20.0f},
  };
  return shapes;
}

void shapeBoard(const IslandShape& shape) {
  const float middleX = StartBoardWidth / 2, middleY = StartBoardHeight / 2 - 0.25f;
  for (HexCell& cell : Level.cells) {
    // The camera looks along +x, so screen right is board -z (the cell's y).
    const float u = -(cell.y - middleY) / shape.across;
    const float v = (cell.x - middleX) / shape.up;
    cell.content = shape.inside(u, v) ? 0 : CellHole;
  }
  removeLooseTips();
  keepLargestIsland();
  float sumX = 0, sumY = 0;
  int count = 0;
  for (const HexCell& cell : Level.cells) {
    if (cell.content < 0) continue;
    sumX += cell.x;
    sumY += cell.y;
    ++count;
  }
  finishHeader(cellNearest(sumX / count, sumY / count));
}
