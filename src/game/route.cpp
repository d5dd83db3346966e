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
void measureDistances(int start, int target) {
  for (HexCell& cell : Level.cells) cell.distance = -1;
  std::vector<int> queue;
  queue.reserve(Level.cells.size());
  Level.cells[start].distance = 0;
  queue.push_back(start);
  for (size_t next = 0; next < queue.size(); ++next) {
    const int from = queue[next];
    const int step = Level.cells[from].distance + 1;
    for (int direction : Directions) {
      const int n = neighbour(from, direction);
      if (n < 0 || !(Level.cells[n].open || n == target)) continue;
      int& distance = Level.cells[n].distance;
      if (distance != -1 && distance <= step) continue;
      distance = step;
      queue.push_back(n);
    }
  }
}

int stepTowardsStart(int from) {
  const int wanted = Level.cells[from].distance - 1;
  for (int direction : Directions) {
    const int n = neighbour(from, direction);
    if (n >= 0 && Level.cells[n].distance == wanted) return n;
  }
  return -1;
}
}  // namespace

void setRouteMessageHook(RouteMessageHook hook) {
  routeMessageHook = hook;
  routeMessageShown = false;
}

void sendBeeTo(float x, float y) {
  const int target = cellAt(x, y);
  const int start = Level.currentCell;
  if (target == start || !canEnter(target) || !inBoard(start)) return;
  measureDistances(start, target);

  const int steps = Level.cells[target].distance + 1;
  const int room = static_cast<int>(Level.road.size());
  if (steps > Level.cellCount / 2 || steps + 1 > room) {
    reportRouteTooLong();
    Level.roadLeft = 0;
    return;
  }
  Level.road[0] = steps;
  Level.road[1] = target;
  for (int j = 2; j <= steps; ++j) {
    const int previous = stepTowardsStart(Level.road[j - 1]);
    if (previous < 0) {
      Level.road[0] = 0;
      break;
    }
    Level.road[j] = previous;
  }
  Level.roadLeft = Level.road[0];
}
