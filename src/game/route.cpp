#include "game/route.h"

#include <cstdio>

#include "game/board.h"
#include "game/cell_rules.h"
#include "game/test_hooks.h"

namespace {
constexpr const char* RouteMessageCaption = "Ошибка создания объекта";
constexpr const char* RouteMessageText =
    "Размер массива road не достаточен для хранения пути\nА ты говаришь: count/2 прокатит, прокатит... .)";

void printRouteMessage(const char* caption, const char* text) { std::fprintf(stderr, "%s: %s\n", caption, text); }

RouteMessageHook routeMessageHook = printRouteMessage;
bool routeMessageShown = false;

void reportRouteTooLong() {
  if (routeMessageShown) return;
  routeMessageShown = true;
  if (routeMessageHook) routeMessageHook(RouteMessageCaption, RouteMessageText);
}

// Breadth first, so each cell's distance is final when first reached and the
// work is bounded by the number of cells.
void measureDistances(LevelBoard& board, int start, int target) {
  for (HexCell& cell : board.cells) cell.distance = -1;
  std::vector<int> queue;
  queue.reserve(board.cells.size());
  board.cells[start].distance = 0;
  queue.push_back(start);
  for (size_t next = 0; next < queue.size(); ++next) {
    const int from = queue[next];
    const int step = board.cells[from].distance + 1;
    for (int direction : Directions) {
      const int n = neighbour(board, from, direction);
      if (n < 0 || !(board.cells[n].open || n == target)) continue;
      int& distance = board.cells[n].distance;
      if (distance != -1 && distance <= step) continue;
      distance = step;
      queue.push_back(n);
    }
  }
}

int stepTowardsStart(LevelBoard& board, int from) {
  const int wanted = board.cells[from].distance - 1;
  for (int direction : Directions) {
    const int n = neighbour(board, from, direction);
    if (n >= 0 && board.cells[n].distance == wanted) return n;
  }
  return -1;
}
}  // namespace

void setRouteMessageHook(RouteMessageHook hook) {
  routeMessageHook = hook;
  routeMessageShown = false;
}

void sendBeeTo(LevelBoard& board, float x, float y) {
  const int target = cellAt(board, x, y);
  const int start = board.currentCell;
  if (target == start || !canEnter(board, target) || !inBoard(board, start)) return;
  measureDistances(board, start, target);

  const int steps = board.cells[target].distance + 1;
  const int room = static_cast<int>(board.road.size());
  if (steps > board.cellCount / 2 || steps + 1 > room) {
    reportRouteTooLong();
    board.roadLeft = 0;
    return;
  }
  board.road[0] = steps;
  board.road[1] = target;
  for (int j = 2; j <= steps; ++j) {
    const int previous = stepTowardsStart(board, board.road[j - 1]);
    if (previous < 0) {
      board.road[0] = 0;
      break;
    }
    board.road[j] = previous;
  }
  board.roadLeft = board.road[0];
}
