#pragma once
// The bee's flight over the board, along the road that a click stored: it
// pulls towards the next waypoint, enters the target cell when it reaches it
// and settles on the target's centre.

// One frame of flight; step is the milliseconds since the last frame x 7.
void moveBee(float step);
