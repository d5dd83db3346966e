#include "game/bee_flight.h"

#include <cmath>

#include "d3dutil/math.h"
#include "game/board.h"
#include "game/cell_rules.h"

namespace {
constexpr float Damping = 0.92f;
constexpr float VelocityToUnits = 0.00006f;

// Road entry of the cell flown to now: the next waypoint, or the target for
// the final approach. -1 when the road does not hold it.
int currentWaypoint() {
  const int entry = Level.roadLeft >= 2 ? Level.roadLeft - 1 : 1;
  if (entry >= static_cast<int>(Level.road.size())) return -1;
  const int cell = Level.road[entry];
  return inBoard(cell) ? cell : -1;
}

void pullOnFinalApproach(float dx, float dy, float dist, float step) {
  // The pull grows with the distance, so the bee settles on the centre.
  const float brake = Damping - 0.001f * step;
  const float pullX = dist != 0 ? std::fabs(dx) * dx / dist * step : 0;
  const float pullY = dist != 0 ? std::fabs(dy) * dy / dist * step : 0;
  Level.beeVelX = (Level.beeVelX + pullX) * brake;
  Level.beeVelY = (Level.beeVelY + pullY) * brake;
}

void pullTowardsWaypoint(float dx, float dy, float dist, float step) {
  if (dist != 0) {
    Level.beeVelX += dx / dist * step;
    Level.beeVelY += dy / dist * step;
  }
  Level.beeVelX *= Damping;
  Level.beeVelY *= Damping;
  if (Level.beeVelX == 0 && Level.beeVelY == 0) return;  // no direction to face
  Level.beeHeading = std::atan(Level.beeVelX / Level.beeVelY);
  if (Level.beeVelY < 0) Level.beeHeading += D3DX_PI;
}

// The bee crossed into the next cell of its road; arriving on a closed
// target opens it.
void passWaypoint(int cellUnderBee) {
  if (Level.roadLeft < 2 || cellUnderBee == Level.currentCell) return;
  if (cellUnderBee != Level.road[Level.roadLeft - 1]) return;
  --Level.roadLeft;
  if (Level.roadLeft == 1 && !Level.cells[cellUnderBee].open) enterCell(cellUnderBee);
}
}  // namespace

int moveBee(float step) {
  if (Level.roadLeft < 1) return -1;
  const int waypoint = currentWaypoint();
  if (waypoint < 0) {
    Level.roadLeft = 0;
    return -1;
  }
  const float dx = Level.cells[waypoint].x - Level.beeX;
  const float dy = Level.cells[waypoint].y - Level.beeY;
  const float dist = std::sqrt(dx * dx + dy * dy);
  if (Level.roadLeft == 1)
    pullOnFinalApproach(dx, dy, dist, step);
  else
    pullTowardsWaypoint(dx, dy, dist, step);
  Level.beeX += Level.beeVelX * VelocityToUnits;
  Level.beeY += Level.beeVelY * VelocityToUnits;

  const int cellUnderBee = cellAt(Level.beeX, Level.beeY);
  if (cellUnderBee >= 0) passWaypoint(cellUnderBee);
  Level.currentCell = cellUnderBee;
  return cellUnderBee;
}
