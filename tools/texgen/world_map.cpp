// The world map: the sea, the nine islands, the level buttons and the path dots.
#include <algorithm>
#include <cmath>
#include <string>

#include "icons.h"
#include "level_colours.h"
#include "noise.h"
#include "paint.h"
#include "surface.h"
#include "text.h"
#include "texture_job.h"

namespace {

// The map fills the 4:3 screen, so it is designed on 1024 x 768 and stretched.
constexpr double kMapWidth = 1024, kMapHeight = 768;

Rgba SeaColour(double x, double y) {
  double fx = x / kMapWidth - 0.5, fy = y / kMapHeight - 0.5;
  double centre = 1.0 - std::min(1.0, std::sqrt(fx * fx + fy * fy) * 1.5);
  float patches = Fbm(float(x / 96.0), float(y / 96.0), 64, 4, 71);
  Rgba deep = Hex(0x2A86D0), light = Hex(0x6CCDF0);
  Rgba colour = Mix(deep, light, std::clamp(0.25 + centre * 0.55 + (patches - 0.5) * 0.5, 0.0, 1.0));
  // Gentle swell: thin wavy lines of lighter water that come and go.
  float warp = Fbm(float(x / 150.0), float(y / 150.0), 64, 3, 72);
  double swell = std::sin((y / 26.0 + warp * 5.0) * 2 * M_PI) * 0.5 + 0.5;
  float fade = Fbm(float(x / 120.0), float(y / 60.0), 64, 2, 73);
  double line = std::clamp((swell - 0.86) / 0.14, 0.0, 1.0) * std::clamp((fade - 0.45) * 4.0, 0.0, 1.0);
  return Mix(colour, Hex(0xB8ECFF), line * 0.55);
}

// A little curling wave crest.
void DrawWave(cairo_t* cr, double x, double y, double size) {
  cairo_new_path(cr);
  cairo_move_to(cr, x - size * 1.4, y + size * 0.2);
  cairo_curve_to(cr, x - size * 0.8, y + size * 0.2, x - size * 0.5, y - size * 0.6, x, y - size * 0.6);
  cairo_curve_to(cr, x + size * 0.5, y - size * 0.6, x + size * 0.7, y - size * 0.1, x + size * 0.35, y);
  SetColour(cr, Hex(0xFFFFFF, 0.6));
  cairo_set_line_width(cr, size * 0.22);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, x + size * 0.5, y + size * 0.2);
  cairo_curve_to(cr, x + size * 0.9, y + size * 0.2, x + size * 1.1, y, x + size * 1.4, y + size * 0.2);
  cairo_set_line_width(cr, size * 0.16);
  cairo_stroke(cr);
}

void DrawCompass(cairo_t* cr, double cx, double cy, double r) {
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SetRadial(cr, cx, cy, r, Hex(0xFFF4D8, 0.95), Hex(0xF0D9A8, 0.95));
  FillSourceAndOutline(cr, palette::kOutline, r * 0.06);
  cairo_arc(cr, cx, cy, r * 0.82, 0, 2 * M_PI);
  SetColour(cr, Hex(0xB08A58));
  cairo_set_line_width(cr, r * 0.03);
  cairo_stroke(cr);
  Star(cr, cx, cy, r * 0.78, r * 0.2, 4);
  SetLinear(cr, cx, cy - r, cx, cy + r, Hex(0xFF8A5A), Hex(0xE8483A));
  FillSourceAndOutline(cr, palette::kOutline, r * 0.04);
  Star(cr, cx, cy, r * 0.5, r * 0.16, 4, M_PI / 4);
  FillAndOutline(cr, Hex(0x4CA8F0), palette::kOutline, r * 0.035);
  cairo_arc(cr, cx, cy, r * 0.1, 0, 2 * M_PI);
  FillAndOutline(cr, Hex(0xFFD45C), palette::kOutline, r * 0.03);
  OutlinedText(cr, "N", cx, cy - r * 1.22, r * 0.38, Face::SansBold, palette::kWhite, palette::kOutline, r * 0.04);
}

void DrawCloud(cairo_t* cr, double cx, double cy, double size, double alpha) {
  const double puffs[5][3] = {{-0.5, 0.1, 0.35}, {-0.15, -0.15, 0.45}, {0.3, -0.05, 0.4}, {0.6, 0.15, 0.28}, {0.05, 0.2, 0.35}};
  cairo_push_group(cr);
  for (const auto& p : puffs) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx + p[0] * size, cy + p[1] * size, p[2] * size, 0, 2 * M_PI);
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  SetLinear(cr, 0, cy - size * 0.6, 0, cy + size * 0.5, Hex(0xFFFFFF), Hex(0xDDEEFF));
  cairo_fill(cr);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, alpha);
}

void DrawGameMap(cairo_t* cr, double w, double h) {
  cairo_scale(cr, w / kMapWidth, h / kMapHeight);
  PaintPixels(cr, int(kMapWidth), int(kMapHeight), SeaColour);
  Rng rng(404);
  for (int i = 0; i < 46; ++i) {
    double x = rng.Range(40, kMapWidth - 40), y = rng.Range(40, kMapHeight - 40);
    DrawWave(cr, x, y, rng.Range(7, 12));
  }
  DrawCompass(cr, 96, kMapHeight - 104, 56);
  DrawCloud(cr, kMapWidth - 110, 70, 120, 0.8);
  DrawCloud(cr, 90, 60, 90, 0.7);
  // Frame.
  RoundedRect(cr, 8, 8, kMapWidth - 16, kMapHeight - 16, 36);
  SetColour(cr, Hex(0xFFD45C));
  cairo_set_line_width(cr, 16);
  cairo_stroke(cr);
  RoundedRect(cr, 0, 0, kMapWidth, kMapHeight, 40);
  RoundedRect(cr, 16, 16, kMapWidth - 32, kMapHeight - 32, 30);
  SetColour(cr, palette::kOutline);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
}

// The outline of an island: a wobbly round shape, different for each seed.
std::vector<Point> IslandShape(double cx, double cy, double radius, uint32_t seed, double grow) {
  std::vector<Point> points;
  const int steps = 96;
  for (int i = 0; i < steps; ++i) {
    double angle = 2 * M_PI * i / steps;
    double wobble = (ValueNoise(float(i * 6.0 / steps), 0.5f, 6, seed) - 0.5) * 0.5 +
                    (ValueNoise(float(i * 12.0 / steps), 3.5f, 12, seed + 9) - 0.5) * 0.16;
    double r = radius * (1.0 + wobble) + grow;
    points.push_back({cx + std::cos(angle) * r, cy + std::sin(angle) * r * 0.86});
  }
  return points;
}

void PathFromPoints(cairo_t* cr, const std::vector<Point>& points) {
  cairo_new_path(cr);
  for (size_t i = 0; i < points.size(); ++i) {
    if (i == 0) {
      cairo_move_to(cr, points[i].x, points[i].y);
    } else {
      cairo_line_to(cr, points[i].x, points[i].y);
    }
  }
  cairo_close_path(cr);
}

void DrawTree(cairo_t* cr, double x, double y, double r, const Rgba& leaf) {
  Ellipse(cr, x + r * 0.25, y + r * 0.35, r, r * 0.7);
  SetColour(cr, Hex(0x1E4A10, 0.35));
  cairo_fill(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  SetRadial(cr, x - r * 0.35, y - r * 0.4, r * 1.4, Lighter(leaf, 0.35), Darker(leaf, 0.25));
  FillSourceAndOutline(cr, palette::kOutline, r * 0.12);
}

void DrawBeehive(cairo_t* cr, double x, double y, double size) {
  Ellipse(cr, x + size * 0.15, y + size * 0.45, size * 0.5, size * 0.18);
  SetColour(cr, Hex(0x1E4A10, 0.35));
  cairo_fill(cr);
  for (int i = 3; i >= 0; --i) {
    double ring = size * (0.26 + i * 0.06);
    Ellipse(cr, x, y - size * 0.4 + i * size * 0.2, ring, size * 0.14);
    SetLinear(cr, 0, y - size * 0.5, 0, y + size * 0.3, Hex(0xFFE27A), Hex(0xE8930F));
    FillSourceAndOutline(cr, palette::kOutline, size * 0.05);
  }
  Ellipse(cr, x, y + size * 0.14, size * 0.09, size * 0.08);
  SetColour(cr, Hex(0x3A2416));
  cairo_fill(cr);
}

void DrawToadstool(cairo_t* cr, double x, double y, double size) {
  RoundedRect(cr, x - size * 0.12, y - size * 0.2, size * 0.24, size * 0.5, size * 0.08);
  FillAndOutline(cr, Hex(0xFFF4DC), palette::kOutline, size * 0.05);
  cairo_new_path(cr);
  cairo_arc(cr, x, y - size * 0.12, size * 0.42, M_PI, 2 * M_PI);
  cairo_close_path(cr);
  SetLinear(cr, 0, y - size * 0.55, 0, y - size * 0.1, Hex(0xFF6A5A), Hex(0xD8302A));
  FillSourceAndOutline(cr, palette::kOutline, size * 0.05);
  for (double dx : {-0.22, 0.0, 0.2}) {
    cairo_arc(cr, x + dx * size, y - size * (dx == 0.0 ? 0.4 : 0.25), size * 0.06, 0, 2 * M_PI);
    SetColour(cr, palette::kWhite);
    cairo_fill(cr);
  }
}

void DrawPalm(cairo_t* cr, double x, double y, double size) {
  cairo_move_to(cr, x, y + size * 0.35);
  cairo_curve_to(cr, x + size * 0.05, y, x + size * 0.12, y - size * 0.2, x + size * 0.05, y - size * 0.35);
  SetColour(cr, palette::kOutline);
  cairo_set_line_width(cr, size * 0.16);
  cairo_stroke_preserve(cr);
  SetColour(cr, Hex(0xB8803A));
  cairo_set_line_width(cr, size * 0.09);
  cairo_stroke(cr);
  for (int i = 0; i < 5; ++i) {
    cairo_save(cr);
    cairo_translate(cr, x + size * 0.05, y - size * 0.35);
    cairo_rotate(cr, -M_PI / 2 + (i - 2) * 0.8);
    Ellipse(cr, size * 0.25, 0, size * 0.27, size * 0.08);
    FillAndOutline(cr, Hex(0x4FB840), palette::kOutline, size * 0.04);
    cairo_restore(cr);
  }
}

void DrawIsland(cairo_t* cr, double w, double, int level) {
  uint32_t seed = uint32_t(level) * 31 + 7;
  double cx = w / 2, cy = w / 2, radius = w * 0.33;
  Rng rng(seed);
  // Shallow water, beach, grass.
  PathFromPoints(cr, IslandShape(cx, cy, radius, seed, w * 0.1));
  SetColour(cr, Hex(0x9EE8FF, 0.55));
  cairo_fill(cr);
  PathFromPoints(cr, IslandShape(cx, cy, radius, seed, w * 0.045));
  FillAndOutline(cr, Hex(0xF8DFA0), Hex(0x8A6A3A), w * 0.012);
  std::vector<Point> grass = IslandShape(cx, cy, radius, seed, 0);
  PathFromPoints(cr, grass);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  PaintPixels(cr, int(w), int(w), [seed](double x, double y) {
    float n = Fbm(float(x / 20.0), float(y / 20.0), 64, 3, seed);
    return Mix(Hex(0x5FB83A), Hex(0x98DC5A), std::clamp((n - 0.3) * 1.8, 0.0, 1.0));
  });
  cairo_restore(cr);
  SetColour(cr, palette::kOutline);
  cairo_set_line_width(cr, w * 0.014);
  cairo_stroke(cr);
  // Blossoms in the level's colour, rocks and trees round the middle, where
  // a landmark tells the islands apart.
  Rgba blossom = LevelColour(level);
  auto around = [&](double from, double to) {
    double a = rng.Range(0, 2 * M_PI), d = rng.Range(radius * from, radius * to);
    return Point{cx + std::cos(a) * d, cy + std::sin(a) * d * 0.86};
  };
  for (int i = 0; i < 10 + level; ++i) {
    Point p = around(0.35, 0.78);
    DrawFlowerIcon(cr, p.x, p.y, w * 0.07, blossom, 5);
  }
  for (int i = 0; i < level % 3 + 1; ++i) {
    Point p = around(0.45, 0.75);
    Ellipse(cr, p.x, p.y, w * 0.035, w * 0.026);
    SetLinear(cr, 0, p.y - w * 0.03, 0, p.y + w * 0.03, Hex(0xC8CED8), Hex(0x7A8494));
    FillSourceAndOutline(cr, palette::kOutline, w * 0.008);
  }
  int trees = 2 + (level * 5) % 4;
  for (int i = 0; i < trees; ++i) {
    Point p = around(0.5, 0.72);
    DrawTree(cr, p.x, p.y, w * rng.Range(0.045, 0.065), Hex(level % 2 ? 0x3FA83A : 0x2F9A4A));
  }
  switch (level % 3) {
    case 1: DrawBeehive(cr, cx, cy - w * 0.01, w * 0.2); break;
    case 2: DrawToadstool(cr, cx, cy + w * 0.02, w * 0.2); break;
    default: DrawPalm(cr, cx - w * 0.02, cy + w * 0.02, w * 0.24); break;
  }
}

void DrawLevelBadge(cairo_t* cr, double w, double h, const Rgba& fill, const char* label, bool glow) {
  double cx = w / 2, cy = h / 2;
  if (glow) {
    cairo_arc(cr, cx, cy, w * 0.5, 0, 2 * M_PI);
    SetRadial(cr, cx, cy, w * 0.5, Hex(0xFFF6A0, 1.0), Hex(0xFFE060, 0.0));
    cairo_fill(cr);
  }
  double ry = h * 0.44, rx = ry * 0.8660254;
  RoundedPolygon(cr, HexCorners(cx, cy + h * 0.02, rx, ry), w * 0.08);
  SetColour(cr, Hex(0x3A2416, 0.5));
  cairo_fill(cr);
  RoundedPolygon(cr, HexCorners(cx, cy, rx, ry), w * 0.08);
  SetLinear(cr, 0, cy - ry, 0, cy + ry, Lighter(fill, 0.35), Darker(fill, 0.1));
  FillSourceAndOutline(cr, palette::kOutline, w * 0.045);
  RoundedPolygon(cr, HexCorners(cx, cy, rx * 0.8, ry * 0.8), w * 0.06);
  SetColour(cr, Hex(0xFFFFFF, 0.4));
  cairo_set_line_width(cr, w * 0.02);
  cairo_stroke(cr);
  Gloss(cr, cx, cy - ry * 0.45, rx * 0.65, ry * 0.3, 0.45);
  if (label) {
    OutlinedText(cr, label, cx, cy + h * 0.01, h * 0.46, Face::SansBold, palette::kWhite, palette::kOutline, h * 0.045);
  } else {
    DrawPlayIcon(cr, cx + w * 0.03, cy, w * 0.5, palette::kWhite);
  }
}

void DrawTwinkleDot(cairo_t* cr, double w, double) {
  double c = w / 2, r = w / 2;
  cairo_pattern_t* glow = cairo_pattern_create_radial(c, c, 0, c, c, r);
  cairo_pattern_add_color_stop_rgba(glow, 0.0, 1.0, 0.95, 0.6, 1.0);
  cairo_pattern_add_color_stop_rgba(glow, 0.3, 1.0, 0.78, 0.2, 0.75);
  cairo_pattern_add_color_stop_rgba(glow, 1.0, 1.0, 0.6, 0.0, 0.0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  Star(cr, c, c, r * 0.95, r * 0.16, 4);
  SetRadial(cr, c, c, r * 0.95, Hex(0xFFFFF0, 1.0), Hex(0xFFC030, 0.0));
  cairo_fill(cr);
  cairo_arc(cr, c, c, r * 0.2, 0, 2 * M_PI);
  SetColour(cr, Hex(0xFFFFF4));
  cairo_fill(cr);
}

}  // namespace

void AddWorldMapJobs(std::vector<TextureJob>& jobs) {
  AddTexture(jobs, "game_map", 1024, 1024, DrawGameMap);
  for (int level = 1; level <= 9; ++level) {
    AddTexture(jobs, "isle" + std::to_string(level), 256, 256,
               [level](cairo_t* cr, double w, double h) { DrawIsland(cr, w, h, level); });
  }
  for (int level = 1; level <= 9; ++level) {
    AddTexture(jobs, "k_" + std::to_string(level), 128, 128, [level](cairo_t* cr, double w, double h) {
      DrawLevelBadge(cr, w, h, Hex(0xFFB82E), std::to_string(level).c_str(), false);
    });
  }
  AddTexture(jobs, "k_10", 128, 128,
             [](cairo_t* cr, double w, double h) { DrawLevelBadge(cr, w, h, Hex(0xFF8A1E), nullptr, true); });
  AddTexture(jobs, "k_11", 128, 128,
             [](cairo_t* cr, double w, double h) { DrawLevelBadge(cr, w, h, Hex(0xFFD45C), nullptr, true); });
  AddTexture(jobs, "point", 64, 64, DrawTwinkleDot);
}
