#pragma once
// Shared by the tiles and the interface: the colour of each number and the
// hexagonal plate that shows it.
#include <cairo.h>

#include "paint.h"

// Colour of the numbers 1 to 6: colour-blind-safe hues, each clearly lighter
// or darker than the others.
Rgba NumberColour(int number);

// A hexagonal badge filling the texture (corners at the top and bottom, flat
// sides left and right), with an optional bold label.
void DrawPlate(cairo_t* cr, double w, double h, const Rgba& fill, const char* label);
