#pragma once
// The bee's flight over the board, along the road that a click stored: it
// pulls towards the next waypoint, enters the target cell when it reaches it
// and settles on the target's centre.
#include "game/board.h"

// One frame of flight; step is the milliseconds since the last frame x 7.
// Returns the cell the bee is over after flying (its trigger is the
// caller's), or -1 when it did not fly or is over no cell.
int moveBee(LevelBoard& board, float step);
