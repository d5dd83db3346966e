// The application icon for the desktop's menus: the bee on a closed honey cell
// of the board, in the sizes desktops look for.
#include "app_icon.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "icons.h"
#include "paint.h"

namespace {
void DrawAppIcon(cairo_t* cr, double w, double) {
  // A regular hexagon standing on a corner, as the board's cells do.
  double ry = w * 0.48, rx = ry * std::sqrt(3.0) / 2.0;
  std::vector<Point> cell = HexCorners(w / 2, w / 2, rx, ry);
  RoundedPolygon(cr, cell, w * 0.08);
  SetLinear(cr, 0, 0, w, w, Hex(0xFFE27A), Hex(0xE0850A));
  cairo_fill_preserve(cr);
  SetColour(cr, palette::kOutline);
  cairo_set_line_width(cr, std::max(1.0, w * 0.04));
  cairo_stroke(cr);
  RoundedPolygon(cr, HexCorners(w / 2, w / 2, rx * 0.78, ry * 0.78), w * 0.06);
  SetLinear(cr, 0, 0, w, w, Hex(0xFFD24A), Hex(0xF5A623));
  cairo_fill(cr);
  DrawBeeIcon(cr, w * 0.52, w * 0.53, w * 0.8);
}
}  // namespace

TextureJob AppIconJob(int size) {
  std::string folder = std::to_string(size) + "x" + std::to_string(size);
  return {"kestrin " + folder, folder + "/apps/kestrin.png", size, size, DrawAppIcon};
}
