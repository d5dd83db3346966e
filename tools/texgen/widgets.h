#pragma once
// The shapes every button and panel is built from, in three states.
#include <cairo.h>

#include "paint.h"

enum class ButtonState { Up, Over, Down };

// A rounded button filling the texture (with room for its shadow).
void DrawPillButton(cairo_t* cr, double w, double h, const Rgba& base, ButtonState state, double roundness = 0.5);
// A round button; the symbol is drawn by the caller inside `SymbolBox`.
void DrawRoundButton(cairo_t* cr, double w, double h, const Rgba& base, ButtonState state);
// Where the symbol of a round button goes: centre and box size, shifted when pressed.
struct SymbolBox {
  double cx, cy, size;
};
SymbolBox RoundButtonSymbol(double w, double h, ButtonState state);
// A cream panel with a brown rim.
void DrawPanel(cairo_t* cr, double x, double y, double w, double h, double radius, const Rgba& fill, double alpha);
