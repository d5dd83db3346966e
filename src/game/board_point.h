#pragma once
// Where the ray from the camera through a pointer position meets the board's
// plane.

// Bisects the 100 units of the ray from the current camera through the
// interface point (px, py) until it has found height 17.0 to within 0.001,
// and gives x and z of that point. A ray that misses the plane ends up at its
// far end.
void boardPointAt(float px, float py, float* x, float* z);
