#include "contact_sheet.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "paint.h"
#include "png_file.h"
#include "surface.h"
#include "text.h"

namespace {

constexpr int kCell = 160;
constexpr int kLabel = 18;
constexpr int kColumns = 12;

cairo_surface_t* Premultiplied(const SheetEntry& entry) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, entry.width, entry.height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < entry.height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
    for (int x = 0; x < entry.width; ++x) {
      const uint8_t* p = &entry.rgba[(size_t(y) * size_t(entry.width) + size_t(x)) * 4];
      uint32_t a = p[3];
      uint32_t r = (p[0] * a + 127) / 255, g = (p[1] * a + 127) / 255, b = (p[2] * a + 127) / 255;
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

void Checker(cairo_t* cr, double x, double y, double size) {
  const int squares = 8;
  double step = size / squares;
  for (int j = 0; j < squares; ++j) {
    for (int i = 0; i < squares; ++i) {
      double shade = ((i + j) % 2 == 0) ? 0.80 : 0.62;
      cairo_set_source_rgb(cr, shade, shade, shade);
      cairo_rectangle(cr, x + i * step, y + j * step, step, step);
      cairo_fill(cr);
    }
  }
}

}  // namespace

bool WriteContactSheet(const std::string& path, const std::vector<SheetEntry>& entries) {
  int rows = int((entries.size() + kColumns - 1) / kColumns);
  int width = kColumns * kCell;
  int height = std::max(1, rows) * (kCell + kLabel);
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.2, 0.2, 0.22);
  cairo_paint(cr);
  for (size_t i = 0; i < entries.size(); ++i) {
    const SheetEntry& entry = entries[i];
    double x = double(i % kColumns) * kCell, y = double(i / kColumns) * (kCell + kLabel);
    double inner = kCell - 8;
    Checker(cr, x + 4, y + 4, inner);
    double scale = inner / std::max(entry.width, entry.height);
    cairo_surface_t* picture = Premultiplied(entry);
    cairo_save(cr);
    cairo_translate(cr, x + 4 + (inner - entry.width * scale) * 0.5, y + 4 + (inner - entry.height * scale) * 0.5);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(picture);
    UseFace(cr, Face::Sans, 12);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, x + 6, y + kCell + 10);
    cairo_show_text(cr, entry.label.c_str());
  }
  cairo_destroy(cr);
  std::vector<uint8_t> rgba = StraightRgba(sheet);
  cairo_surface_destroy(sheet);
  return WritePng(path, width, height, rgba);
}

namespace {

const SheetEntry* Find(const std::vector<SheetEntry>& entries, const std::string& label) {
  for (const SheetEntry& entry : entries) {
    if (entry.label == label) return &entry;
  }
  return nullptr;
}

// Paints a tile texture onto the cell centred at (x, y) with `unit` pixels per
// world unit. The texture maps onto the hexagon's bounding box; `turn` says
// how the face is seen: 0 a cell drawn unturned (seen from behind), 1 a cell
// turned over, 2 a number plate.
void PaintCell(cairo_t* cr, const SheetEntry* entry, double x, double y, double unit, int turn) {
  if (!entry) return;
  const double k = 0.8660254;
  double su = 2 * k / entry->width, sv = 2.0 / entry->height;  // world units per texel
  cairo_matrix_t matrix;
  if (turn == 2) {
    double s = unit * 0.5;
    cairo_matrix_init(&matrix, su * s, 0, 0, sv * s, x - k * s, y - s);
  } else {
    // The texture's top lies at the screen's right; its right edge at the
    // bottom for a turned-over cell, at the top for one seen from behind.
    double sign = turn == 1 ? 1.0 : -1.0;
    cairo_matrix_init(&matrix, 0, sign * su * unit, -sv * unit, 0, x + unit, y - sign * k * unit);
  }
  cairo_surface_t* picture = Premultiplied(*entry);
  cairo_save(cr);
  // Clip to the cell's hexagon: flat sides at the top and bottom on screen
  // for tiles, at the left and right for the plates.
  double r = turn == 2 ? unit * 0.5 : unit;
  cairo_new_path(cr);
  for (int i = 0; i < 6; ++i) {
    double angle = M_PI / 3 * i + (turn == 2 ? M_PI / 2 : 0);
    double px = x + std::cos(angle) * r, py = y + std::sin(angle) * r;
    if (i == 0) {
      cairo_move_to(cr, px, py);
    } else {
      cairo_line_to(cr, px, py);
    }
  }
  cairo_close_path(cr);
  cairo_clip(cr);
  cairo_transform(cr, &matrix);
  cairo_set_source_surface(cr, picture, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(picture);
}

}  // namespace

bool WriteBoardPreview(const std::string& path, const std::vector<SheetEntry>& entries) {
  const int width = 800, height = 600;
  const double unit = 38.0;  // pixels per world unit near the bee at 800 x 600
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.35, 0.65, 0.25);
  cairo_paint(cr);
  // Rows run across the screen (world z to the left), cells of a row upwards.
  const char* layout[7] = {"CCCCCCCCCCC", "CC1122CCCCC", "C10012BCCCC", "C0F00023CCC", "C100H0045CC", "CC1112456CC",
                           "CCCCCCCCCCC"};
  const double k = 0.8660254;
  for (int row = 0; row < 11; ++row) {
    for (int col = 0; col < 7; ++col) {
      char c = layout[col][row];
      double worldX = (2 * col + 1 + (row % 2)) * k, worldZ = 1.5 * row + 1;
      double x = width - 60 - worldZ * unit, y = height - 40 - worldX * unit;
      if (c == 'C' || c == 'F') {
        PaintCell(cr, Find(entries, "hex_close6"), x, y, unit, 1);
      } else if (c == 'B') {
        PaintCell(cr, Find(entries, "hex_bomb"), x, y, unit, 1);
      } else if (c == '0' || c == 'H') {
        PaintCell(cr, Find(entries, "hex_open_void"), x, y, unit, 1);
      } else {
        std::string n(1, c);
        PaintCell(cr, Find(entries, "hex_open_" + n), x, y, unit, 0);
        PaintCell(cr, Find(entries, "hex_number_" + n), x, y, unit, 2);
      }
      if (c == 'H') PaintCell(cr, Find(entries, "hex_30"), x, y, unit, 1);
      if (c == 'F') PaintCell(cr, Find(entries, "hex_40"), x, y, unit, 1);
    }
  }
  cairo_destroy(cr);
  std::vector<uint8_t> rgba = StraightRgba(sheet);
  cairo_surface_destroy(sheet);
  return WritePng(path, width, height, rgba);
}
