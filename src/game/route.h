#pragma once
// Routes of the bee over open cells, stored in Level.road: entry 0 the number
// of steps N, entry 1 the target, entries 2 .. N+1 back to the start cell.
#include "game/board.h"

// Finds the shortest route from the bee's cell to the cell at the point.
void sendBeeTo(LevelBoard& board, float x, float y);
