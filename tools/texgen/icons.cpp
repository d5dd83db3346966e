#include "icons.h"

#include <cmath>
#include <vector>

#include "text.h"

namespace {

const Rgba kOutline = palette::kOutline;

// Icons are designed in a box from -50 to 50.
void EnterBox(cairo_t* cr, double cx, double cy, double size) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, size / 100.0, size / 100.0);
}

void LeaveBox(cairo_t* cr) { cairo_restore(cr); }

}  // namespace

void DrawBeeIcon(cairo_t* cr, double cx, double cy, double size) {
  EnterBox(cr, cx, cy, size);
  // Wings behind the body.
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, side * 2 - 4, -22);
    cairo_rotate(cr, side * 0.45);
    Ellipse(cr, 0, -10, 13, 20);
    SetLinear(cr, 0, -30, 0, 10, Hex(0xFFFFFF, 0.95), Hex(0xBFE8FF, 0.85));
    FillSourceAndOutline(cr, kOutline, 3.5);
    cairo_restore(cr);
  }
  // Stinger and body.
  cairo_move_to(cr, 40, 6);
  cairo_line_to(cr, 50, 10);
  cairo_line_to(cr, 38, 15);
  cairo_close_path(cr);
  FillAndOutline(cr, kOutline, kOutline, 2);
  Ellipse(cr, 8, 8, 34, 26);
  SetLinear(cr, 0, -18, 0, 34, Hex(0xFFE066), Hex(0xF5A316));
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  SetColour(cr, Hex(0x2B1B10));
  for (double x : {4.0, 22.0}) {
    cairo_rectangle(cr, x, -30, 9, 70);
    cairo_fill(cr);
  }
  cairo_restore(cr);
  Ellipse(cr, 8, 8, 34, 26);
  SetColour(cr, kOutline);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  Gloss(cr, 6, -6, 22, 10, 0.55);
  // Head with big friendly eyes.
  cairo_arc(cr, -26, 2, 20, 0, 2 * M_PI);
  SetLinear(cr, 0, -18, 0, 22, Hex(0x5A4030), Hex(0x2B1B10));
  FillSourceAndOutline(cr, kOutline, 4);
  for (double ex : {-34.0, -20.0}) {
    Ellipse(cr, ex, -2, 6.5, 8);
    FillAndOutline(cr, palette::kWhite, kOutline, 1.5);
    cairo_arc(cr, ex - 1.5, 0, 3.5, 0, 2 * M_PI);
    SetColour(cr, Hex(0x111111));
    cairo_fill(cr);
    cairo_arc(cr, ex - 2.5, -1.5, 1.3, 0, 2 * M_PI);
    SetColour(cr, palette::kWhite);
    cairo_fill(cr);
  }
  // Smile and antennae.
  cairo_set_line_width(cr, 2.5);
  SetColour(cr, Hex(0xFFB0A0));
  cairo_arc(cr, -27, 9, 6, 0.3, M_PI - 0.3);
  cairo_stroke(cr);
  SetColour(cr, kOutline);
  cairo_set_line_width(cr, 3);
  for (double ax : {-36.0, -22.0}) {
    cairo_move_to(cr, ax, -16);
    cairo_curve_to(cr, ax - 4, -28, ax - 8, -32, ax - 12, -34);
    cairo_stroke(cr);
    cairo_arc(cr, ax - 12, -34, 3.5, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  LeaveBox(cr);
}

void DrawFlowerIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& petals, int petalCount) {
  EnterBox(cr, cx, cy, size);
  for (int i = 0; i < petalCount; ++i) {
    cairo_save(cr);
    cairo_rotate(cr, 2 * M_PI * i / petalCount);
    Ellipse(cr, 0, -26, 15, 22);
    SetLinear(cr, 0, -48, 0, -6, Lighter(petals, 0.35), petals);
    FillSourceAndOutline(cr, kOutline, 3.5);
    cairo_restore(cr);
  }
  cairo_arc(cr, 0, 0, 15, 0, 2 * M_PI);
  SetRadial(cr, -4, -4, 18, Hex(0xFFE680), Hex(0xE89A10));
  FillSourceAndOutline(cr, kOutline, 3.5);
  Gloss(cr, -3, -7, 8, 4, 0.6);
  LeaveBox(cr);
}

void DrawBinocularsIcon(cairo_t* cr, double cx, double cy, double size) {
  EnterBox(cr, cx, cy, size);
  // Bridge between the barrels.
  RoundedRect(cr, -12, -20, 24, 22, 5);
  FillAndOutline(cr, Hex(0x4A5868), kOutline, 3.5);
  for (int side = -1; side <= 1; side += 2) {
    double x = side * 21;
    RoundedRect(cr, x - 15, -34, 30, 30, 8);
    SetLinear(cr, x - 15, 0, x + 15, 0, Hex(0x6D7F94), Hex(0x3A4656));
    FillSourceAndOutline(cr, kOutline, 3.5);
    RoundedRect(cr, x - 19, -8, 38, 46, 12);
    SetLinear(cr, x - 19, 0, x + 19, 0, Hex(0x5B6C80), Hex(0x2E3846));
    FillSourceAndOutline(cr, kOutline, 3.5);
    cairo_arc(cr, x, 26, 13, 0, 2 * M_PI);
    SetRadial(cr, x - 4, 22, 16, Hex(0xC8F0FF), Hex(0x2E8BD0));
    FillSourceAndOutline(cr, kOutline, 3);
    Ellipse(cr, x - 4, 21, 5, 3.5);
    SetColour(cr, Hex(0xFFFFFF, 0.85));
    cairo_fill(cr);
    Gloss(cr, x - 4, -2, 9, 10, 0.35);
  }
  LeaveBox(cr);
}

void DrawHammerIcon(cairo_t* cr, double cx, double cy, double size) {
  EnterBox(cr, cx, cy, size);
  cairo_rotate(cr, -0.6);
  RoundedRect(cr, -7, -18, 14, 66, 6);
  SetLinear(cr, -7, 0, 7, 0, Hex(0xD99A55), Hex(0x9C5F2A));
  FillSourceAndOutline(cr, kOutline, 3.5);
  RoundedRect(cr, -36, -42, 72, 28, 7);
  SetLinear(cr, 0, -42, 0, -14, Hex(0xD8E0EA), Hex(0x7C8898));
  FillSourceAndOutline(cr, kOutline, 4);
  RoundedRect(cr, -30, -38, 50, 7, 3.5);
  SetColour(cr, Hex(0xFFFFFF, 0.6));
  cairo_fill(cr);
  LeaveBox(cr);
}

void DrawBombIcon(cairo_t* cr, double cx, double cy, double size) {
  EnterBox(cr, cx, cy, size);
  // Fuse with a spark.
  SetColour(cr, kOutline);
  cairo_set_line_width(cr, 7);
  cairo_move_to(cr, 14, -26);
  cairo_curve_to(cr, 22, -40, 30, -36, 32, -44);
  cairo_stroke(cr);
  SetColour(cr, Hex(0xE8C890));
  cairo_set_line_width(cr, 3.5);
  cairo_move_to(cr, 14, -26);
  cairo_curve_to(cr, 22, -40, 30, -36, 32, -44);
  cairo_stroke(cr);
  Star(cr, 33, -45, 13, 5, 8);
  FillAndOutline(cr, Hex(0xFFD23A), Hex(0xE8581C), 2.5);
  cairo_arc(cr, 33, -45, 4, 0, 2 * M_PI);
  SetColour(cr, palette::kWhite);
  cairo_fill(cr);
  // Body and cap.
  cairo_save(cr);
  cairo_rotate(cr, 0.6);
  RoundedRect(cr, -9, -42, 18, 14, 3);
  FillAndOutline(cr, Hex(0x6A7280), kOutline, 3.5);
  cairo_restore(cr);
  cairo_arc(cr, -4, 6, 34, 0, 2 * M_PI);
  SetRadial(cr, -16, -8, 44, Hex(0x5A6070), Hex(0x15171C));
  FillSourceAndOutline(cr, kOutline, 4);
  Ellipse(cr, -16, -10, 11, 7);
  SetColour(cr, Hex(0xFFFFFF, 0.55));
  cairo_fill(cr);
  LeaveBox(cr);
}

void DrawCheckIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& fill) {
  EnterBox(cr, cx, cy, size);
  auto path = [cr] {
    cairo_new_path(cr);
    cairo_move_to(cr, -34, 0);
    cairo_line_to(cr, -10, 26);
    cairo_line_to(cr, 36, -30);
  };
  path();
  SetColour(cr, kOutline);
  cairo_set_line_width(cr, 26);
  cairo_stroke(cr);
  path();
  SetLinear(cr, 0, -30, 0, 30, Lighter(fill, 0.3), fill);
  cairo_set_line_width(cr, 16);
  cairo_stroke(cr);
  cairo_move_to(cr, -30, -1);
  cairo_line_to(cr, -14, 16);
  SetColour(cr, Hex(0xFFFFFF, 0.45));
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  LeaveBox(cr);
}

void DrawHeartIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& fill, bool wings) {
  EnterBox(cr, cx, cy, size);
  if (wings) {
    for (int side = -1; side <= 1; side += 2) {
      cairo_save(cr);
      cairo_scale(cr, side, 1);
      cairo_translate(cr, 30, -18);
      cairo_rotate(cr, 0.5);
      Ellipse(cr, 0, 0, 18, 11);
      SetLinear(cr, 0, -11, 0, 11, Hex(0xFFFFFF, 0.95), Hex(0xBFE8FF, 0.9));
      FillSourceAndOutline(cr, kOutline, 3.5);
      cairo_restore(cr);
    }
  }
  cairo_move_to(cr, 0, 38);
  cairo_curve_to(cr, -24, 20, -40, 6, -40, -12);
  cairo_curve_to(cr, -40, -30, -22, -38, -12, -36);
  cairo_curve_to(cr, -4, -34, 0, -28, 0, -22);
  cairo_curve_to(cr, 0, -28, 4, -34, 12, -36);
  cairo_curve_to(cr, 22, -38, 40, -30, 40, -12);
  cairo_curve_to(cr, 40, 6, 24, 20, 0, 38);
  cairo_close_path(cr);
  SetLinear(cr, 0, -38, 0, 38, Lighter(fill, 0.3), Darker(fill, 0.12));
  FillSourceAndOutline(cr, kOutline, 4);
  Ellipse(cr, -20, -20, 9, 6);
  SetColour(cr, Hex(0xFFFFFF, 0.6));
  cairo_fill(cr);
  LeaveBox(cr);
}

void DrawArrowIcon(cairo_t* cr, double cx, double cy, double size, double angle, const Rgba& fill) {
  EnterBox(cr, cx, cy, size);
  cairo_rotate(cr, angle);
  // Points towards +x before rotation.
  std::vector<Point> corners{{40, 0}, {2, -36}, {2, -15}, {-38, -15}, {-38, 15}, {2, 15}, {2, 36}};
  RoundedPolygon(cr, corners, 6);
  SetLinear(cr, 0, -36, 0, 36, Lighter(fill, 0.3), Darker(fill, 0.1));
  FillSourceAndOutline(cr, kOutline, 5);
  LeaveBox(cr);
}

void DrawPlayIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& fill) {
  EnterBox(cr, cx, cy, size);
  RoundedPolygon(cr, {{-24, -32}, {36, 0}, {-24, 32}}, 8);
  SetLinear(cr, 0, -32, 0, 32, Lighter(fill, 0.3), fill);
  FillSourceAndOutline(cr, kOutline, 5);
  LeaveBox(cr);
}

void DrawMenuIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& fill) {
  EnterBox(cr, cx, cy, size);
  for (int i = -1; i <= 1; ++i) {
    RoundedRect(cr, -30, i * 22 - 7, 60, 14, 7);
    FillAndOutline(cr, fill, kOutline, 4);
  }
  LeaveBox(cr);
}

void DrawGiftIcon(cairo_t* cr, double cx, double cy, double size) {
  EnterBox(cr, cx, cy, size);
  // Bow.
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_scale(cr, side, 1);
    cairo_move_to(cr, 0, -18);
    cairo_curve_to(cr, 10, -44, 34, -40, 26, -26);
    cairo_curve_to(cr, 22, -18, 10, -18, 0, -18);
    cairo_close_path(cr);
    FillAndOutline(cr, Hex(0xFF6FA0), kOutline, 3.5);
    cairo_restore(cr);
  }
  RoundedRect(cr, -34, 0, 68, 40, 5);
  SetLinear(cr, 0, 0, 0, 40, Hex(0x6FD0FF), Hex(0x2F8FE0));
  FillSourceAndOutline(cr, kOutline, 4);
  RoundedRect(cr, -40, -20, 80, 22, 5);
  SetLinear(cr, 0, -20, 0, 2, Hex(0x8FDCFF), Hex(0x3FA0EA));
  FillSourceAndOutline(cr, kOutline, 4);
  cairo_rectangle(cr, -7, -20, 14, 60);
  FillAndOutline(cr, Hex(0xFF6FA0), kOutline, 3);
  LeaveBox(cr);
}

void DrawCrossIcon(cairo_t* cr, double cx, double cy, double size, const Rgba& fill) {
  EnterBox(cr, cx, cy, size);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_new_path(cr);
    cairo_move_to(cr, -26, -26);
    cairo_line_to(cr, 26, 26);
    cairo_move_to(cr, 26, -26);
    cairo_line_to(cr, -26, 26);
    SetColour(cr, pass == 0 ? kOutline : fill);
    cairo_set_line_width(cr, pass == 0 ? 26 : 16);
    cairo_stroke(cr);
  }
  LeaveBox(cr);
}

void DrawMedal(cairo_t* cr, double cx, double cy, double size, const Rgba& metal, const Rgba& ribbon) {
  EnterBox(cr, cx, cy, size);
  // Ribbon tails behind the disc.
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_scale(cr, side, 1);
    RoundedPolygon(cr, {{2, -48}, {26, -48}, {14, -8}, {-10, -8}}, 3);
    SetLinear(cr, 0, -48, 0, -8, Lighter(ribbon, 0.25), Darker(ribbon, 0.15));
    FillSourceAndOutline(cr, kOutline, 3.5);
    cairo_restore(cr);
  }
  cairo_arc(cr, 0, 12, 36, 0, 2 * M_PI);
  SetRadial(cr, -12, 0, 52, Lighter(metal, 0.5), Darker(metal, 0.3));
  FillSourceAndOutline(cr, kOutline, 4);
  cairo_arc(cr, 0, 12, 27, 0, 2 * M_PI);
  SetLinear(cr, 0, -15, 0, 39, Darker(metal, 0.12), Lighter(metal, 0.2));
  cairo_fill_preserve(cr);
  SetColour(cr, Darker(metal, 0.35));
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  Star(cr, 0, 13, 20, 9, 5);
  SetLinear(cr, 0, -7, 0, 33, Lighter(metal, 0.55), metal);
  cairo_fill_preserve(cr);
  SetColour(cr, Darker(metal, 0.4));
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  Gloss(cr, -8, -6, 20, 12, 0.5);
  LeaveBox(cr);
}
