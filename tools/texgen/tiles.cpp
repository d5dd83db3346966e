// The board's cells. The hexagon mesh maps the whole texture onto its face:
// flat sides at the left and right texture edges, corners at the middle of
// the top and bottom edges. Seen from the round's camera a cell drawn turned
// over (closed, empty, bomb, highlights) shows its texture a quarter turn
// clockwise; an open numbered cell is drawn unturned and is seen from behind,
// so its texture appears mirrored across the diagonal; a number plate shows
// it upright. Light and symbols are placed to come out the same on screen.
#include <cmath>
#include <string>

#include "icons.h"
#include "noise.h"
#include "paint.h"
#include "surface.h"
#include "text.h"
#include "texture_job.h"
#include "tile_style.h"

namespace {

constexpr int kTile = 256;
constexpr double kCos30 = 0.8660254;

const Rgba kRim = Hex(0x5A3A1C);

// How a cell texture is seen on screen.
enum class Seen { TurnedOver, FromBehind };

// Design space of a turned-over cell as seen on screen: world units, origin
// at the cell centre, x to the right and y down on screen.
void EnterTurnedCellView(cairo_t* cr, double size) {
  double su = size / (2 * kCos30), sv = size / 2;
  // Screen right is the texture's top, screen down the texture's right.
  cairo_matrix_t matrix;
  cairo_matrix_init(&matrix, 0, -sv, su, 0, size / 2, size / 2);
  cairo_transform(cr, &matrix);
}

// The texture corner that lies at the screen's top left, where the light
// comes from: the bottom left for turned-over cells, the bottom right for
// cells seen from behind.
Point LitCorner(double size, Seen seen) { return {seen == Seen::TurnedOver ? 0.0 : size, size}; }

void SetLitGradient(cairo_t* cr, double size, Seen seen, const Rgba& lit, const Rgba& shaded) {
  Point from = LitCorner(size, seen);
  SetLinear(cr, from.x, from.y, size - from.x, size - from.y, lit, shaded);
}

// The full-bleed hexagon of the texture, slightly shrunk by `inset` pixels.
std::vector<Point> TileHex(double size, double inset) {
  double rx = size / 2 - inset, ry = size / 2 - inset * 1.15;
  return HexCorners(size / 2, size / 2, rx, ry);
}

void HexPath(cairo_t* cr, double size, double inset, double round) {
  RoundedPolygon(cr, TileHex(size, inset), round);
}

// A faint mottled grain, so flat tiles are not dead flat.
void Grain(cairo_t* cr, double size, uint32_t seed, double strength) {
  PaintPixels(cr, int(size), int(size), [seed, strength](double x, double y) {
    float n = Fbm(float(x / 24.0), float(y / 24.0), 64, 3, seed);
    double shade = (n - 0.5) * 2.0 * strength;
    return shade > 0 ? Rgba{1, 1, 1, shade} : Rgba{0.3, 0.2, 0.05, -shade};
  });
}

void FillBleed(cairo_t* cr, const Rgba& colour) {
  SetColour(cr, colour);
  cairo_paint(cr);
}

// A raised wax cap: bright and domed, lit from the screen's top left.
void DrawClosed(cairo_t* cr, double w, double) {
  double s = w;
  const Seen seen = Seen::TurnedOver;
  FillBleed(cr, kRim);
  HexPath(cr, s, 5, 14);
  SetLitGradient(cr, s, seen, Hex(0xFFE27A), Hex(0xE0850A));
  cairo_fill(cr);
  HexPath(cr, s, 26, 18);
  SetLitGradient(cr, s, seen, Hex(0xFFD24A), Hex(0xF5A623));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0xB86A0A, 0.35));
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  cairo_save(cr);
  HexPath(cr, s, 26, 18);
  cairo_clip(cr);
  Grain(cr, s, 11, 0.06);
  cairo_restore(cr);
  Point lit = LitCorner(s, seen);
  double gx = s * 0.5 + (lit.x - s * 0.5) * 0.22, gy = s * 0.5 + (lit.y - s * 0.5) * 0.22;
  Ellipse(cr, gx, gy, s * 0.26, s * 0.26);
  SetRadial(cr, gx, gy, s * 0.26, Hex(0xFFFFFF, 0.5), Hex(0xFFFFFF, 0));
  cairo_fill(cr);
  HexPath(cr, s, 5, 14);
  SetColour(cr, kRim);
  cairo_set_line_width(cr, 8);
  cairo_stroke(cr);
}

// A flat, pale, slightly sunken floor; numbered cells are tinted with their
// number's colour around the plate.
void DrawOpenBase(cairo_t* cr, double s, const Rgba* tint, Seen seen) {
  FillBleed(cr, Hex(0x9C7A4E));
  HexPath(cr, s, 4, 12);
  SetLitGradient(cr, s, seen, Hex(0xFFF6E0), Hex(0xE8D6B0));
  cairo_fill(cr);
  HexPath(cr, s, 16, 14);
  SetLitGradient(cr, s, seen, Hex(0xFFFAEC), Hex(0xFFF3D6));
  cairo_fill(cr);
  if (tint) {
    HexPath(cr, s, 30, 16);
    SetRadial(cr, s / 2, s / 2, s * 0.45, WithAlpha(*tint, 0.25), WithAlpha(*tint, 0.6));
    cairo_fill(cr);
  }
  cairo_save(cr);
  HexPath(cr, s, 16, 14);
  cairo_clip(cr);
  Grain(cr, s, 23, 0.05);
  // Sunken: the rim on the light's side throws a shadow onto the floor.
  Point lit = LitCorner(s, seen);
  HexPath(cr, s, 16, 14);
  SetLinear(cr, lit.x, lit.y, s * 0.5, s * 0.5, Hex(0x7A5A30, 0.45), Hex(0x7A5A30, 0));
  cairo_set_line_width(cr, 18);
  cairo_stroke(cr);
  cairo_restore(cr);
  HexPath(cr, s, 4, 12);
  SetColour(cr, Hex(0x9C7A4E));
  cairo_set_line_width(cr, 6);
  cairo_stroke(cr);
}

void DrawOpenVoid(cairo_t* cr, double w, double) { DrawOpenBase(cr, w, nullptr, Seen::TurnedOver); }

void DrawOpenNumber(cairo_t* cr, double w, int number) {
  Rgba tint = NumberColour(number);
  DrawOpenBase(cr, w, &tint, Seen::FromBehind);
}

void DrawBomb(cairo_t* cr, double w, double) {
  double s = w;
  FillBleed(cr, Hex(0x3A1010));
  HexPath(cr, s, 4, 12);
  SetRadial(cr, s / 2, s / 2, s * 0.55, Hex(0xFF7A2A), Hex(0x7A1410));
  cairo_fill(cr);
  cairo_save(cr);
  EnterTurnedCellView(cr, s);
  // Burst behind the bomb.
  Star(cr, 0, 0, 0.78, 0.42, 11, 0.1);
  SetRadial(cr, 0, 0, 0.8, Hex(0xFFF2A0), Hex(0xFFB020));
  FillSourceAndOutline(cr, Hex(0xC23A10), 0.03);
  DrawBombIcon(cr, 0.02, 0.02, 1.15);
  cairo_restore(cr);
  HexPath(cr, s, 4, 12);
  SetColour(cr, Hex(0x3A1010));
  cairo_set_line_width(cr, 8);
  cairo_stroke(cr);
}

// Highlight rings: transparent in the middle so the tile shows through.
void DrawHighlight(cairo_t* cr, double w, const Rgba& ring, const Rgba& glow, double centreAlpha) {
  double s = w;
  HexPath(cr, s, 3, 12);
  SetColour(cr, WithAlpha(glow, centreAlpha));
  cairo_fill(cr);
  for (int i = 0; i < 6; ++i) {
    HexPath(cr, s, 10 + i * 5, 14);
    SetColour(cr, WithAlpha(glow, 0.22 - i * 0.035));
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
  }
  HexPath(cr, s, 10, 12);
  SetColour(cr, ring);
  cairo_set_line_width(cr, 16);
  cairo_stroke(cr);
  HexPath(cr, s, 9, 12);
  SetColour(cr, Hex(0xFFFFFF, 0.8));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
}

}  // namespace

Rgba NumberColour(int number) {
  // Okabe-Ito hues, each number a step darker than the one before.
  static const uint32_t colours[7] = {0xCCCCCC, 0xF5E44A, 0xF7A823, 0x3E9BD6, 0x0B8462, 0x1D5A9E, 0x6A1E52};
  return Hex(colours[(number >= 1 && number <= 6) ? number : 0]);
}

void DrawPlate(cairo_t* cr, double w, double h, const Rgba& fill, const char* label) {
  double inset = w * 0.035;
  std::vector<Point> hex = HexCorners(w / 2, h / 2, w / 2 - inset, h / 2 - inset * 1.15);
  RoundedPolygon(cr, hex, w * 0.07);
  SetLinear(cr, 0, 0, 0, h, Lighter(fill, 0.35), Darker(fill, 0.1));
  FillSourceAndOutline(cr, palette::kOutline, w * 0.05);
  std::vector<Point> inner = HexCorners(w / 2, h / 2, w / 2 - inset * 3.2, h / 2 - inset * 3.7);
  RoundedPolygon(cr, inner, w * 0.06);
  SetColour(cr, Hex(0xFFFFFF, 0.35));
  cairo_set_line_width(cr, w * 0.018);
  cairo_stroke(cr);
  Gloss(cr, w * 0.5, h * 0.3, w * 0.3, h * 0.14, 0.45);
  if (label && *label) {
    // The plate is stretched across its flats on the board, so the digit is
    // drawn wider here to come out with its natural shape.
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    cairo_scale(cr, 1.0 / kCos30, 1.0);
    OutlinedText(cr, label, 0, h * 0.02, h * 0.68, Face::SansBold, palette::kWhite, palette::kOutline, h * 0.055);
    cairo_restore(cr);
  }
}

void AddTileJobs(std::vector<TextureJob>& jobs) {
  AddTexture(jobs, "hex_close6", kTile, kTile, DrawClosed);
  AddTexture(jobs, "hex_open_void", kTile, kTile, DrawOpenVoid);
  for (int n = 1; n <= 6; ++n) {
    AddTexture(jobs, "hex_open_" + std::to_string(n), kTile, kTile,
               [n](cairo_t* cr, double w, double) { DrawOpenNumber(cr, w, n); });
  }
  for (int n = 1; n <= 6; ++n) {
    AddTexture(jobs, "hex_number_" + std::to_string(n), kTile, kTile, [n](cairo_t* cr, double w, double h) {
      DrawPlate(cr, w, h, NumberColour(n), std::to_string(n).c_str());
    });
  }
  AddTexture(jobs, "hex_bomb", kTile, kTile, DrawBomb);
  AddTexture(jobs, "hex_30", kTile, kTile, [](cairo_t* cr, double w, double) {
    DrawHighlight(cr, w, Hex(0xFFB000), Hex(0xFFE060), 0.28);
  });
  AddTexture(jobs, "hex_40", kTile, kTile, [](cairo_t* cr, double w, double) {
    DrawHighlight(cr, w, Hex(0x29C6FF, 0.95), Hex(0xFFFFFF), 0.30);
  });
  AddTexture(jobs, "hex_info", kTile, kTile,
             [](cairo_t* cr, double w, double h) { DrawPlate(cr, w, h, Hex(0x3FA4E8), "i"); });
  AddTexture(jobs, "hecsogon_1", kTile, kTile, [](cairo_t* cr, double w, double h) {
    std::vector<Point> hex = HexCorners(w / 2, h / 2, w / 2 - 8, h / 2 - 9);
    RoundedPolygon(cr, hex, 18);
    SetColour(cr, Hex(0x3A2416, 0.45));
    cairo_fill_preserve(cr);
    SetLinear(cr, 0, 0, 0, h, Hex(0xFFE27A), Hex(0xE8930F));
    cairo_set_line_width(cr, 16);
    cairo_stroke_preserve(cr);
    SetColour(cr, palette::kOutline);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    RoundedPolygon(cr, HexCorners(w / 2, h / 2, w / 2 - 17, h / 2 - 19), 14);
    SetColour(cr, palette::kOutline);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
  });
  AddTexture(jobs, "m_empty_up", kTile, kTile,
             [](cairo_t* cr, double w, double h) { DrawPlate(cr, w, h, Hex(0xF3E6C4), nullptr); });
  AddTexture(jobs, "m_empty_down", kTile, kTile,
             [](cairo_t* cr, double w, double h) { DrawPlate(cr, w, h, Hex(0xC9B78E), nullptr); });
}
