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
int currentWaypoint(LevelBoard& board) {
  const int entry = board.roadLeft >= 2 ? board.roadLeft - 1 : 1;
  if (entry >= static_cast<int>(board.road.size())) return -1;
  const int cell = board.road[entry];
  return inBoard(board, cell) ? cell : -1;
}

void pullOnFinalApproach(LevelBoard& board, float dx, float dy, float dist, float step) {
  // The pull grows with the distance, so the bee settles on the centre.
  const float brake = Damping - 0.001f * step;
  const float pullX = dist != 0 ? std::fabs(dx) * dx / dist * step : 0;
  const float pullY = dist != 0 ? std::fabs(dy) * dy / dist * step : 0;
  board.beeVelX = (board.beeVelX + pullX) * brake;
  board.beeVelY = (board.beeVelY + pullY) * brake;
}

void pullTowardsWaypoint(LevelBoard& board, float dx, float dy, float dist, float step) {
  if (dist != 0) {
    board.beeVelX += dx / dist * step;
    board.beeVelY += dy / dist * step;
  }
  board.beeVelX *= Damping;
  board.beeVelY *= Damping;
  if (board.beeVelX == 0 && board.beeVelY == 0) return;  // no direction to face
  board.beeHeading = std::atan(board.beeVelX / board.beeVelY);
  if (board.beeVelY < 0) board.beeHeading += D3DX_PI;
}

// The bee crossed into the next cell of its road; arriving on a closed
// target opens it.
void passWaypoint(LevelBoard& board, int cellUnderBee) {
  if (board.roadLeft < 2 || cellUnderBee == board.currentCell) return;
  if (cellUnderBee != board.road[board.roadLeft - 1]) return;
  --board.roadLeft;
  if (board.roadLeft == 1 && !board.cells[cellUnderBee].open) enterCell(board, cellUnderBee);
}
}  // namespace

int moveBee(LevelBoard& board, float step) {
  if (board.roadLeft < 1) return -1;
  const int waypoint = currentWaypoint(board);
  if (waypoint < 0) {
    board.roadLeft = 0;
    return -1;
  }
  const float dx = board.cells[waypoint].x - board.beeX;
  const float dy = board.cells[waypoint].y - board.beeY;
  const float dist = std::sqrt(dx * dx + dy * dy);
  if (board.roadLeft == 1)
    pullOnFinalApproach(board, dx, dy, dist, step);
  else
    pullTowardsWaypoint(board, dx, dy, dist, step);
  board.beeX += board.beeVelX * VelocityToUnits;
  board.beeY += board.beeVelY * VelocityToUnits;

  const int cellUnderBee = cellAt(board, board.beeX, board.beeY);
  if (cellUnderBee >= 0) passWaypoint(board, cellUnderBee);
  board.currentCell = cellUnderBee;
  return cellUnderBee;
}
