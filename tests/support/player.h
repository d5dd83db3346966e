#pragma once
// A player's choices on the board, read from the game's state: where a cell
// is on the screen, which cells a click can reach, and the next cell to click
// to take the flowers, to run into bombs or to follow the training's markers.
// The caller clicks and runs the frames; the round tests and the play flows
// share these choices.
#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <limits>
#include <vector>

#include "core/camera.h"
#include "core/mouse.h"
#include "game/bee.h"
#include "game/board.h"
#include "game/cell_rules.h"
#include "game/route.h"
#include "game/training.h"

namespace player {

inline D3DXVECTOR3 centreOf(int cell) {
  return D3DXVECTOR3(Level.cells[cell].x, BoardPlaneHeight, Level.cells[cell].y);
}

// The pointer (in interface units) that MouseRay turns into a ray from the
// current camera through `world`; false when that is off the screen or
// behind the eye. MouseRay is probed rather than restated: the offset of its
// ray from the view direction grows in proportion to the pointer's offset
// from the centre.
inline bool pointerFor(const D3DXVECTOR3& world, float* px, float* py) {
  const D3DXVECTOR3 ahead = MouseRay(1.0f, 0.75f);
  auto offsetPerUnit = [&](float x, float y) {
    const D3DXVECTOR3 ray = MouseRay(x, y);
    return ray / D3DXVec3Dot(&ray, &ahead) - ahead;
  };
  const D3DXVECTOR3 across = offsetPerUnit(2.0f, 0.75f), down = offsetPerUnit(1.0f, 1.75f);
  const D3DXVECTOR3 v = world - Cameras.CurrentCamera->position;
  const float distance = D3DXVec3Dot(&v, &ahead);
  const D3DXVECTOR3 offset = v / distance - ahead;
  *px = 1 + D3DXVec3Dot(&offset, &across) / D3DXVec3Dot(&across, &across);
  *py = 0.75f + D3DXVec3Dot(&offset, &down) / D3DXVec3Dot(&down, &down);
  return distance > 0 && *px >= 0 && *px <= 2 && *py >= 0 && *py <= 1.5f;
}

inline const HexCell& cell(int index) { return Level.cells[index]; }

inline float distance(int a, int b) { return std::hypot(cell(a).x - cell(b).x, cell(a).y - cell(b).y); }

// On the screen and clear of the round's display: the bar along the bottom,
// the tools in the corner below it on the right, the menu button above.
inline bool onScreen(int index) {
  float px, py;
  if (!pointerFor(centreOf(index), &px, &py)) return false;
  const bool underDisplay = py > 1.28f || (px > 1.6f && py > 1.1f) || (px > 1.83f && py < 0.16f);
  return !underDisplay;
}

// Whether a click on the cell would start a route, asked without moving
// the bee.
inline bool reachable(int index) {
  if (index == Level.currentCell || !canEnter(Level, index)) return false;
  const int32_t roadLeft = Level.roadLeft;
  const std::vector<int32_t> road = Level.road;
  sendBeeTo(Level, cell(index).x, cell(index).y);
  const bool found = Level.roadLeft > 0;
  Level.roadLeft = roadLeft;
  Level.road = road;
  return found;
}

inline bool closedFlower(int i) { return cellExists(Level, i) && cell(i).flower && !cell(i).open; }
inline bool closedSafe(int i) {
  return cellExists(Level, i) && !cell(i).open && !cell(i).flagged && cell(i).content != CellBomb;
}
inline bool closedBomb(int i) { return cellExists(Level, i) && !cell(i).open && cell(i).content == CellBomb; }

// The bee is tumbling, on its way, or further than `settled` from the centre
// of its target.
inline bool beeBusy(float settled = 0.05f) {
  if (TheBee.state == BeeHit || Level.roadLeft >= 2) return true;
  if (Level.roadLeft == 1) {
    const HexCell& target = cell(Level.road[1]);
    return std::hypot(Level.beeX - target.x, Level.beeY - target.y) > settled;
  }
  return false;
}

// The nearest cell passing `wanted` that a click can reach, or -1.
inline int nearestReachable(const std::function<bool(int)>& wanted, const std::function<float(int)>& cost) {
  int best = -1;
  float bestCost = std::numeric_limits<float>::max();
  for (int i = 0; i < Level.cellCount; ++i) {
    if (!wanted(i) || cost(i) >= bestCost || !reachable(i)) continue;
    best = i;
    bestCost = cost(i);
  }
  return best;
}

inline float fromBee(int index) { return distance(Level.currentCell, index); }

inline float toNearestFlower(int index) {
  float best = 1e9f;
  for (int i = 0; i < Level.cellCount; ++i)
    if (closedFlower(i)) best = std::min(best, distance(index, i));
  return best;
}

// The cells from the bee's cell to `target` through cells that are safe to
// enter (no bomb, no flag, no closed flower but the target), the bee's cell
// first; empty when there is no such way.
inline std::vector<int> safeWay(int target) {
  if (!cellExists(Level, Level.currentCell) || !cellExists(Level, target)) return {};
  std::vector<int> previous(Level.cellCount, -2);
  std::deque<int> queue{Level.currentCell};
  previous[Level.currentCell] = -1;
  while (!queue.empty() && previous[target] == -2) {
    const int from = queue.front();
    queue.pop_front();
    for (int direction : Directions) {
      const int next = neighbour(Level, from, direction);
      if (next < 0 || previous[next] != -2) continue;
      const bool blocked = cell(next).content == CellBomb || cell(next).flagged || closedFlower(next);
      if (blocked && next != target) continue;
      previous[next] = from;
      queue.push_back(next);
    }
  }
  std::vector<int> way;
  if (previous[target] == -2) return way;
  for (int at = target; at >= 0; at = previous[at]) way.insert(way.begin(), at);
  return way;
}

// The cell to click for `target`: the target itself when it is on the
// screen and a click reaches it, otherwise the farthest cell of a safe way
// there that is on the screen and that a click reaches. Without a safe way
// (a flag in the way, the target a hole yet), a safe cell on the screen that
// brings the bee nearer. -1 when there is none.
inline int towards(int target) {
  if (onScreen(target) && reachable(target)) return target;
  const std::vector<int> way = safeWay(target);
  for (auto at = way.rbegin(); at != way.rend(); ++at)
    if (*at != Level.currentCell && onScreen(*at) && reachable(*at)) return *at;
  if (!way.empty()) return -1;
  int best = -1;
  float bestDistance = distance(Level.currentCell, target);
  for (int i = 0; i < Level.cellCount; ++i) {
    if (!cellExists(Level, i) || cell(i).content == CellBomb || closedFlower(i) || !onScreen(i) ||
        distance(i, target) >= bestDistance || !reachable(i))
      continue;
    best = i;
    bestDistance = distance(i, target);
  }
  return best;
}

// Where to send the bee to win: the nearest flower it can reach, else the
// safe cell nearest to a flower, else (walled in by bombs) any closed cell,
// which costs a life. -1 when nothing is left to enter.
inline int nextTowardsFlowers() {
  int target = nearestReachable([](int i) { return closedFlower(i) && cell(i).content != CellBomb; }, fromBee);
  if (target < 0) target = nearestReachable(closedSafe, toNearestFlower);
  if (target < 0)
    target = nearestReachable([](int i) { return cellExists(Level, i) && !cell(i).open && !cell(i).flagged; },
                              toNearestFlower);
  return target;
}

// Where to send the bee to lose: the nearest bomb, else the nearest closed
// cell without a flower (which opens the way to more bombs).
inline int nextTowardsBombs() {
  int target = nearestReachable(closedBomb, fromBee);
  if (target < 0)
    target = nearestReachable([](int i) { return cellExists(Level, i) && !cell(i).open && !cell(i).flower; }, fromBee);
  return target;
}

// A flagged cell beside the open area, which the hammer opens.
inline int flaggedBesideOpen() {
  for (int i = 0; i < Level.cellCount; ++i) {
    if (!cellExists(Level, i) || !cell(i).flagged) continue;
    for (int direction : Directions) {
      const int n = neighbour(Level, i, direction);
      if (n >= 0 && cell(n).open) return i;
    }
  }
  return -1;
}

// The training, followed as its markers and briefings ask.
struct Move {
  enum Kind { None, Click, UseBinoculars } kind = None;
  int cell = -1;
};

inline Move nextTrainingMove(bool toolsUsed) {
  const bool askedToUseTools = !Level.triggers[UseToolsBriefingCell].active;
  if (askedToUseTools && !toolsUsed && Level.binoculars > 0 && Level.currentCell == UseToolsBriefingCell)
    return {Move::UseBinoculars};
  for (const TrainingMarker& marker : Training.MarkerList) {
    if (!marker.visible || !Level.triggers[marker.cell].active || !reachable(marker.cell)) continue;
    return {Move::Click, towards(marker.cell)};
  }
  // The hammer on a flagged cell that blocks the way.
  const int flagged = Level.hammers > 0 ? flaggedBesideOpen() : -1;
  if (flagged >= 0) return {Move::Click, onScreen(flagged) ? flagged : towards(flagged)};
  return {};
}

}  // namespace player
