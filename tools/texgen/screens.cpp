// The title picture shown while the game loads.
#include <algorithm>
#include <cmath>

#include "icons.h"
#include "noise.h"
#include "paint.h"
#include "surface.h"
#include "text.h"
#include "texture_job.h"

namespace {

// Designed on the 4:3 screen and stretched into the square texture.
constexpr double kWidth = 1024, kHeight = 768;

void DrawHill(cairo_t* cr, double baseY, double amplitude, double phase, const Rgba& top, const Rgba& bottom) {
  cairo_new_path(cr);
  cairo_move_to(cr, 0, kHeight);
  for (int x = 0; x <= int(kWidth); x += 16) {
    double y = baseY - amplitude * (std::sin(x / kWidth * 2.4 * M_PI + phase) * 0.6 +
                                    std::sin(x / kWidth * 5.1 * M_PI + phase * 2) * 0.4);
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, kWidth, kHeight);
  cairo_close_path(cr);
  SetLinear(cr, 0, baseY - amplitude, 0, kHeight, top, bottom);
  FillSourceAndOutline(cr, Hex(0x2A5A1A, 0.6), 3);
}

void DrawHoneycomb(cairo_t* cr, double cx, double cy, double cell) {
  double dx = cell * 1.7320508, dy = cell * 1.5;
  const int layout[4][2] = {{0, 3}, {-1, 4}, {0, 3}, {1, 2}};
  for (int row = 0; row < 4; ++row) {
    int first = layout[row][0], count = layout[row][1];
    for (int i = 0; i < count; ++i) {
      double x = cx + (first + i) * dx + (row % 2 ? dx / 2 : 0);
      double y = cy + row * dy;
      RoundedPolygon(cr, HexCorners(x, y, dx / 2 - 2, cell - 2), cell * 0.2);
      SetLinear(cr, 0, y - cell, 0, y + cell, Hex(0xFFE27A), Hex(0xF0950F));
      FillSourceAndOutline(cr, palette::kOutline, 4);
      Gloss(cr, x, y - cell * 0.35, dx * 0.28, cell * 0.22, 0.55);
    }
  }
}

void DrawMenu(cairo_t* cr, double w, double h) {
  cairo_scale(cr, w / kWidth, h / kHeight);
  PaintPixels(cr, int(kWidth), int(kHeight), [](double x, double y) {
    double v = y / kHeight;
    Rgba sky = Mix(Hex(0x4AA8F5), Hex(0xCFF0FF), std::min(1.0, v * 1.5));
    float n = Fbm(float(x / 160.0), float(y / 80.0), 16, 4, 1701);
    double cloud = std::clamp((n - 0.55) * 3.5, 0.0, 1.0) * std::exp(-std::pow((v - 0.22) / 0.14, 2));
    return Mix(sky, Hex(0xFFFFFF), cloud);
  });
  // Sun.
  cairo_arc(cr, 860, 120, 110, 0, 2 * M_PI);
  SetRadial(cr, 860, 120, 110, Hex(0xFFF6C0, 0.9), Hex(0xFFF6C0, 0.0));
  cairo_fill(cr);
  cairo_arc(cr, 860, 120, 52, 0, 2 * M_PI);
  SetRadial(cr, 845, 105, 60, Hex(0xFFFBE0), Hex(0xFFD040));
  FillSourceAndOutline(cr, Hex(0xF0A020), 4);
  DrawHill(cr, 520, 40, 0.7, Hex(0x9ADC6A), Hex(0x5AAE3A));
  DrawHill(cr, 600, 34, 2.1, Hex(0x7ACB4E), Hex(0x3E9A2C));
  Rng rng(1702);
  const Rgba blossoms[5] = {Hex(0xFF6FA8), Hex(0xFFE14A), Hex(0xFFFFFF), Hex(0xB08AFF), Hex(0xFF8B4F)};
  for (int i = 0; i < 70; ++i) {
    double x = rng.Range(10, kWidth - 10), y = rng.Range(620, kHeight - 10);
    double size = 16 + (y - 600) * 0.18;
    DrawFlowerIcon(cr, x, y, size, blossoms[rng.Next() % 5], 5 + int(rng.Next() % 2));
  }
  DrawHoneycomb(cr, 120, 470, 40);
  // Title on a soft plate.
  RoundedRect(cr, 212, 150, 600, 170, 60);
  SoftShadow(cr, 0, 8, 14, 0.35);
  SetLinear(cr, 0, 150, 0, 320, Hex(0xFFF4D8, 0.92), Hex(0xFFE2A0, 0.92));
  FillSourceAndOutline(cr, palette::kOutline, 6);
  OutlinedText(cr, "Kestrin", 512, 235, 118, Face::SansBold, Hex(0xFFC233), palette::kOutline, 9);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, kWidth, 236);
  cairo_clip(cr);
  OutlinedText(cr, "Kestrin", 512, 235, 118, Face::SansBold, Hex(0xFFE27A), palette::kOutline, 0);
  cairo_restore(cr);
  DrawBeeIcon(cr, 700, 430, 230);
  // Flight trail of the bee.
  cairo_set_line_width(cr, 5);
  SetColour(cr, Hex(0xFFFFFF, 0.8));
  double dashes[2] = {14, 14};
  cairo_set_dash(cr, dashes, 2, 0);
  cairo_move_to(cr, 330, 520);
  cairo_curve_to(cr, 420, 420, 480, 560, 600, 470);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
}

}  // namespace

void AddScreenJobs(std::vector<TextureJob>& jobs) { AddTexture(jobs, "menu", 1024, 1024, DrawMenu); }
