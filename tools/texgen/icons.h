#pragma once
// Small pictures used on several textures (buttons, HUD, map, tiles). Each is
// drawn centred on (cx, cy) inside a square box of side `size`.
#include <cairo.h>

#include "paint.h"

void DrawBeeIcon(cairo_t* cr, double cx, double cy, double size);
void DrawFlowerIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& petals, int petalCount = 6);
void DrawBinocularsIcon(cairo_t* cr, double cx, double cy, double size);
void DrawHammerIcon(cairo_t* cr, double cx, double cy, double size);
void DrawBombIcon(cairo_t* cr, double cx, double cy, double size);
void DrawCheckIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& fill);
void DrawHeartIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& fill, bool wings);
void DrawArrowIcon(cairo_t* cr, double cx, double cy, double size, double angle, const Rgba& fill);
void DrawPlayIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& fill);
void DrawMenuIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& fill);
void DrawGiftIcon(cairo_t* cr, double cx, double cy, double size);
void DrawCrossIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& fill);
// A round medal with a ribbon; `metal` is its base colour.
void DrawMedal(cairo_t* cr, double cx, double cy, double size, const Rgba& metal, const Rgba& ribbon);
