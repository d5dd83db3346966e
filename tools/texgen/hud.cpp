// Pictures of a round's on-screen display: the bottom bar, lives, flowers,
// the binoculars button, the tool icons and the score panel.
#include <cmath>

#include "icons.h"
#include "noise.h"
#include "paint.h"
#include "surface.h"
#include "texture_job.h"
#include "widgets.h"

namespace {

const Rgba kBarTop = Hex(0xFFD45C);
const Rgba kBarBottom = Hex(0xE8901A);

// Honeycomb cells faintly pressed into a surface.
void HoneycombLines(cairo_t* cr, double w, double h, double cell, const Rgba& colour) {
  double dx = cell * 1.7320508, dy = cell * 1.5;
  SetColour(cr, colour);
  cairo_set_line_width(cr, cell * 0.12);
  for (int row = -1; row * dy < h + cell; ++row) {
    double offset = (row % 2 != 0) ? dx / 2 : 0;
    for (double x = -dx + offset; x < w + dx; x += dx) {
      RoundedPolygon(cr, HexCorners(x, row * dy, dx / 2 - cell * 0.08, cell - cell * 0.09), cell * 0.2);
      cairo_stroke(cr);
    }
  }
}

void DrawBottomBar(cairo_t* cr, double w, double h) {
  double top = h * 0.12;
  RoundedRect(cr, 0, top, w, h - top + h * 0.3, h * 0.3);
  SetLinear(cr, 0, top, 0, h, kBarTop, kBarBottom);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_rectangle(cr, 0, top, w, h - top);
  cairo_clip(cr);
  HoneycombLines(cr, w, h, h * 0.22, Hex(0xB86A0A, 0.18));
  cairo_restore(cr);
  cairo_rectangle(cr, 0, top + h * 0.04, w, h * 0.1);
  SetLinear(cr, 0, top, 0, top + h * 0.14, Hex(0xFFFFFF, 0.55), Hex(0xFFFFFF, 0.0));
  cairo_fill(cr);
  cairo_move_to(cr, 0, top);
  cairo_line_to(cr, w, top);
  SetColour(cr, palette::kOutline);
  cairo_set_line_width(cr, h * 0.06);
  cairo_stroke(cr);
}

void DrawCorner(cairo_t* cr, double w, double h) {
  // A panel filling the bottom-right corner, rounded towards the screen.
  double x = w * 0.08, y = h * 0.08;
  cairo_new_path(cr);
  cairo_move_to(cr, w + 10, y);
  cairo_line_to(cr, x + w * 0.35, y);
  cairo_curve_to(cr, x, y, x, y, x, y + h * 0.35);
  cairo_line_to(cr, x, h + 10);
  cairo_line_to(cr, w + 10, h + 10);
  cairo_close_path(cr);
  SetLinear(cr, 0, y, 0, h, kBarTop, kBarBottom);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  HoneycombLines(cr, w, h, h * 0.09, Hex(0xB86A0A, 0.2));
  cairo_restore(cr);
  SetColour(cr, palette::kOutline);
  cairo_set_line_width(cr, w * 0.03);
  cairo_stroke(cr);
}

void DrawScorePanel(cairo_t* cr, double w, double h) {
  double m = h * 0.1;
  RoundedRect(cr, m, m, w - 2 * m, h - 2 * m, (h - 2 * m) * 0.45);
  SetLinear(cr, 0, m, 0, h - m, Hex(0x5A3A22, 0.88), Hex(0x3A2416, 0.92));
  FillSourceAndOutline(cr, Hex(0xFFD45C), h * 0.05);
  RoundedRect(cr, m + h * 0.08, m + h * 0.06, w - 2 * m - h * 0.16, (h - 2 * m) * 0.3, h * 0.1);
  SetColour(cr, Hex(0xFFFFFF, 0.12));
  cairo_fill(cr);
  Star(cr, h * 0.55, h / 2, h * 0.32, h * 0.14, 5);
  SetLinear(cr, 0, h * 0.2, 0, h * 0.8, Hex(0xFFF08A), Hex(0xFFB020));
  FillSourceAndOutline(cr, palette::kOutline, h * 0.04);
}

void DrawBinocularsButton(cairo_t* cr, double w, double h, ButtonState state, bool ready) {
  if (ready) {
    cairo_arc(cr, w / 2, h * 0.47, w * 0.5, 0, 2 * M_PI);
    SetRadial(cr, w / 2, h * 0.47, w * 0.5, Hex(0xFFF08A, 0.95), Hex(0xFFC233, 0.0));
    cairo_fill(cr);
  }
  DrawRoundButton(cr, w, h, Hex(0x6CC8F8), state);
  SymbolBox box = RoundButtonSymbol(w, h, state);
  DrawBinocularsIcon(cr, box.cx, box.cy, box.size * 1.1);
}

}  // namespace

void AddHudJobs(std::vector<TextureJob>& jobs) {
  AddTexture(jobs, "empty", 1024, 128, DrawBottomBar);
  AddTexture(jobs, "i_corner_downright", 256, 256, DrawCorner);
  AddTexture(jobs, "score", 512, 128, DrawScorePanel);
  AddTexture(jobs, "life", 128, 128, [](cairo_t* cr, double w, double) {
    DrawHeartIcon(cr, w / 2, w / 2, w * 0.95, Hex(0xF04A5A), true);
  });
  AddTexture(jobs, "life2", 128, 128, [](cairo_t* cr, double w, double) {
    cairo_push_group(cr);
    DrawHeartIcon(cr, w / 2, w / 2, w * 0.95, Hex(0x6A5A50), false);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.55);
  });
  AddTexture(jobs, "i_flower_en", 128, 128, [](cairo_t* cr, double w, double) {
    DrawFlowerIcon(cr, w / 2, w / 2, w * 0.95, Hex(0xFF6FA8));
  });
  AddTexture(jobs, "i_flower_dis", 128, 128, [](cairo_t* cr, double w, double) {
    cairo_push_group(cr);
    DrawFlowerIcon(cr, w / 2, w / 2, w * 0.95, Hex(0x6A5A50));
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.5);
  });
  AddTexture(jobs, "i_binokol_up", 128, 128, [](cairo_t* cr, double w, double h) {
    DrawBinocularsButton(cr, w, h, ButtonState::Up, false);
  });
  AddTexture(jobs, "i_binokol_over", 128, 128, [](cairo_t* cr, double w, double h) {
    DrawBinocularsButton(cr, w, h, ButtonState::Over, false);
  });
  AddTexture(jobs, "i_binokol_down", 128, 128, [](cairo_t* cr, double w, double h) {
    DrawBinocularsButton(cr, w, h, ButtonState::Down, false);
  });
  AddTexture(jobs, "i_binokol_up1", 128, 128, [](cairo_t* cr, double w, double h) {
    DrawBinocularsButton(cr, w, h, ButtonState::Up, true);
  });
  AddTexture(jobs, "cur_molot1", 128, 128,
             [](cairo_t* cr, double w, double) { DrawHammerIcon(cr, w / 2, w / 2, w * 0.92); });
}
