#include "particles.h"

#include <cmath>

#include "paint.h"
#include "texture_job.h"

namespace {

// Soft round puff: white in the middle, grey towards the rim, so the game's
// tint colours it and the edge fades into the scene. The sprites are several
// cells wide, so the puff is light and fades well inside its square: a burst
// tints the board without hiding the numbers under it.
void DrawPuff(cairo_t* cr, double w, double h) {
  double cx = w / 2, cy = h / 2, r = w / 2 - 1;
  cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(pattern, 0.0, 1, 1, 1, 0.5);
  cairo_pattern_add_color_stop_rgba(pattern, 0.2, 0.97, 0.97, 0.97, 0.3);
  cairo_pattern_add_color_stop_rgba(pattern, 0.45, 0.9, 0.9, 0.9, 0.07);
  cairo_pattern_add_color_stop_rgba(pattern, 0.7, 0.8, 0.8, 0.8, 0.0);
  cairo_set_source(cr, pattern);
  cairo_paint(cr);
  cairo_pattern_destroy(pattern);
}

// A twinkle: soft glow with four thin rays, white and grey for tinting. The
// glow stays faint, so the numbers under a lost life's burst can be read.
void DrawTwinkle(cairo_t* cr, double w, double h) {
  double cx = w / 2, cy = h / 2, r = w / 2 - 1;
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r * 0.7);
  cairo_pattern_add_color_stop_rgba(glow, 0.0, 1, 1, 1, 0.6);
  cairo_pattern_add_color_stop_rgba(glow, 0.4, 0.9, 0.9, 0.9, 0.18);
  cairo_pattern_add_color_stop_rgba(glow, 1.0, 0.8, 0.8, 0.8, 0.0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, i * M_PI / 2);
    cairo_move_to(cr, 0, -r * 0.08);
    cairo_curve_to(cr, r * 0.3, -r * 0.05, r * 0.6, -r * 0.02, r, 0);
    cairo_curve_to(cr, r * 0.6, r * 0.02, r * 0.3, r * 0.05, 0, r * 0.08);
    cairo_close_path(cr);
    SetLinear(cr, 0, 0, r, 0, {1, 1, 1, 0.95}, {0.85, 0.85, 0.85, 0.0});
    cairo_fill(cr);
    cairo_restore(cr);
  }
  cairo_pattern_t* core = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r * 0.22);
  cairo_pattern_add_color_stop_rgba(core, 0.0, 1, 1, 1, 1.0);
  cairo_pattern_add_color_stop_rgba(core, 1.0, 1, 1, 1, 0.0);
  cairo_set_source(cr, core);
  cairo_paint(cr);
  cairo_pattern_destroy(core);
}

}  // namespace

void AddParticleJobs(std::vector<TextureJob>& jobs) {
  AddTexture(jobs, "b_grey", 64, 64, DrawPuff);
  AddTexture(jobs, "b_grey2", 64, 64, DrawTwinkle);
}

std::string MedalParticleSet() {
  // A short burst of golden twinkles around the medal that rise, spread and
  // sink back; "point" is the golden twinkle sprite, as the medal quads are
  // drawn untinted. The burst is over before the player is likely to leave.
  return "pSet1 {\n"
         "  texture point\n"
         "  x 1.000\n"
         "  y 0.620\n"
         "  count 48\n"
         "  lifetime 3500\n"
         "  pLifetimeMin 700\n"
         "  pLifetimeMax 1500\n"
         "  pSizeMin 0.025\n"
         "  pSizeMax 0.060\n"
         "  gravityDirectionX 0.0\n"
         "  gravityDirectionY 1.0\n"
         "  gravityPower 0.180\n"
         "  flowDirectionX 0.0\n"
         "  flowDirectionY -1.0\n"
         "  flowSpeed 0.220\n"
         "  flowDeviationMax 300\n"
         "  generateDelay 35\n"
         "  dispersion 0.110\n"
         "}\n";
}
