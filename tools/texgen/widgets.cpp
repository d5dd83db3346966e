#include "widgets.h"

#include <algorithm>
#include <cmath>

namespace {

Rgba StateColour(const Rgba& base, ButtonState state) {
  switch (state) {
    case ButtonState::Over: return Lighter(base, 0.25);
    case ButtonState::Down: return Darker(base, 0.15);
    case ButtonState::Up: break;
  }
  return base;
}

}  // namespace

void DrawPillButton(cairo_t* cr, double w, double h, const Rgba& base, ButtonState state, double roundness) {
  double margin = h * 0.08;
  double press = state == ButtonState::Down ? h * 0.04 : 0.0;
  double x = margin, y = margin * 0.6 + press, bw = w - 2 * margin, bh = h - margin * 2.0;
  double radius = bh * roundness;
  Rgba colour = StateColour(base, state);
  if (state == ButtonState::Over) {
    RoundedRect(cr, x - margin * 0.7, y - margin * 0.5, bw + margin * 1.4, bh + margin * 1.0, radius + margin * 0.7);
    SetColour(cr, Hex(0xFFF3A0, 0.9));
    cairo_fill(cr);
  }
  // Depth: a darker base under the face, lower when the button is up.
  double depth = state == ButtonState::Down ? h * 0.03 : h * 0.09;
  RoundedRect(cr, x, y + depth, bw, bh - depth, radius);
  FillAndOutline(cr, Darker(colour, 0.35), palette::kOutline, h * 0.05);
  RoundedRect(cr, x, y, bw, bh - depth, radius);
  SetLinear(cr, 0, y, 0, y + bh - depth, Lighter(colour, 0.3), Darker(colour, 0.05));
  FillSourceAndOutline(cr, palette::kOutline, h * 0.05);
  if (state != ButtonState::Down) {
    RoundedRect(cr, x + h * 0.1, y + h * 0.07, bw - h * 0.2, (bh - depth) * 0.38, radius * 0.7);
    SetLinear(cr, 0, y + h * 0.07, 0, y + h * 0.07 + (bh - depth) * 0.38, Hex(0xFFFFFF, 0.55), Hex(0xFFFFFF, 0.08));
    cairo_fill(cr);
  } else {
    RoundedRect(cr, x + h * 0.04, y + h * 0.04, bw - h * 0.08, bh - depth - h * 0.08, radius * 0.9);
    SetLinear(cr, 0, y, 0, y + bh * 0.4, Hex(0x000000, 0.22), Hex(0x000000, 0.0));
    cairo_set_line_width(cr, h * 0.06);
    cairo_stroke(cr);
  }
}

SymbolBox RoundButtonSymbol(double w, double h, ButtonState state) {
  double press = state == ButtonState::Down ? h * 0.03 : 0.0;
  return {w / 2, h * 0.47 + press, std::min(w, h) * 0.56};
}

void DrawRoundButton(cairo_t* cr, double w, double h, const Rgba& base, ButtonState state) {
  double r = std::min(w, h) * 0.42;
  double cx = w / 2, cy = h * 0.47;
  double press = state == ButtonState::Down ? h * 0.03 : 0.0;
  Rgba colour = StateColour(base, state);
  if (state == ButtonState::Over) {
    cairo_arc(cr, cx, cy, r + h * 0.06, 0, 2 * M_PI);
    SetRadial(cr, cx, cy, r + h * 0.07, Hex(0xFFF6B0, 0.9), Hex(0xFFF6B0, 0.0));
    cairo_fill(cr);
  }
  double depth = state == ButtonState::Down ? h * 0.015 : h * 0.045;
  cairo_arc(cr, cx, cy + press + depth, r, 0, 2 * M_PI);
  FillAndOutline(cr, Darker(colour, 0.35), palette::kOutline, h * 0.04);
  cairo_arc(cr, cx, cy + press, r, 0, 2 * M_PI);
  SetRadial(cr, cx - r * 0.3, cy + press - r * 0.4, r * 1.6, Lighter(colour, 0.4), Darker(colour, 0.1));
  FillSourceAndOutline(cr, palette::kOutline, h * 0.04);
  if (state != ButtonState::Down) Gloss(cr, cx, cy + press - r * 0.52, r * 0.62, r * 0.34, 0.5);
}

void DrawPanel(cairo_t* cr, double x, double y, double w, double h, double radius, const Rgba& fill, double alpha) {
  RoundedRect(cr, x, y, w, h, radius);
  SoftShadow(cr, 0, h * 0.015, radius * 0.3, 0.35);
  SetLinear(cr, 0, y, 0, y + h, WithAlpha(Lighter(fill, 0.3), alpha), WithAlpha(fill, alpha));
  FillSourceAndOutline(cr, palette::kOutline, std::max(3.0, radius * 0.12));
  RoundedRect(cr, x + radius * 0.25, y + radius * 0.25, w - radius * 0.5, h - radius * 0.5, radius * 0.8);
  SetColour(cr, Hex(0xFFFFFF, 0.5));
  cairo_set_line_width(cr, std::max(2.0, radius * 0.06));
  cairo_stroke(cr);
}
