#include "text_preview.h"

#include <cairo.h>

#include "paint.h"
#include "png_file.h"
#include "surface.h"

namespace {

constexpr double kPixelsPerUnit = 400.0;  // 800 x 600: the screen is 2.0 units wide

cairo_surface_t* SheetSurface(const FontSheet& font) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, font.width, font.height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < font.height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
    for (int x = 0; x < font.width; ++x) {
      const uint8_t* p = &font.rgba[(size_t(y) * size_t(font.width) + size_t(x)) * 4];
      uint32_t a = p[3];
      row[x] = (a << 24) | (((p[0] * a + 127) / 255) << 16) | (((p[1] * a + 127) / 255) << 8) | ((p[2] * a + 127) / 255);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

// One line as the game lays it out: glyph width from the cell's aspect, a
// fixed space advance and a small gap after every character.
void DrawLine(cairo_t* cr, cairo_surface_t* sheet, const FontSheet& font, const std::string& text, double x, double y,
              double height) {
  double pen = 0;
  for (unsigned char c : text) {
    if (c == ' ') {
      pen += 0.011;
      continue;
    }
    const auto& g = font.coords[c];
    if (g[3] <= 0) continue;
    double gw = g[2] * font.width, gh = g[3] * font.height;
    double width = height * gw / gh;
    cairo_save(cr);
    cairo_rectangle(cr, (x + pen) * kPixelsPerUnit, y * kPixelsPerUnit, width * kPixelsPerUnit,
                    height * kPixelsPerUnit);
    cairo_clip(cr);
    cairo_translate(cr, (x + pen) * kPixelsPerUnit, y * kPixelsPerUnit);
    cairo_scale(cr, width * kPixelsPerUnit / gw, height * kPixelsPerUnit / gh);
    cairo_set_source_surface(cr, sheet, -g[0] * font.width, -g[1] * font.height);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    pen += width + 0.001;
  }
}

}  // namespace

bool WriteTextPreview(const std::string& path, const std::vector<FontSheet>& fonts) {
  const int width = 800, height = 600;
  cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(target);
  const Rgba backgrounds[4] = {Hex(0xFFA928), Hex(0xFFE9B8), Hex(0x6CC8FF), Hex(0x3C8C36)};
  for (int i = 0; i < 4; ++i) {
    SetColour(cr, backgrounds[i]);
    cairo_rectangle(cr, 0, i * height / 4.0, width, height / 4.0);
    cairo_fill(cr);
  }
  // "Hello, player!" and "Hello, bee!" in Russian, in Windows-1251 bytes.
  const std::string russian = "\xCF\xF0\xE8\xE2\xE5\xF2, \xE8\xE3\xF0\xEE\xEA! \xB8\xA8 \xB9 12";
  const char* lines[4] = {"Play  Options  Exit  fps=60", "Hello, Maya^ !  Score 00012400", nullptr,
                          "The quick brown fox jumps over 9 lazy dogs."};
  const double sizes[4] = {0.03, 0.04, 0.06, 0.08};
  for (size_t f = 0; f < fonts.size() && f < 2; ++f) {
    cairo_surface_t* sheet = SheetSurface(fonts[f]);
    double y = 0.01 + f * 0.01;
    for (int band = 0; band < 4; ++band) {
      double top = band * 0.375 + 0.01;
      for (int s = 0; s < 2; ++s) {
        double size = sizes[(band + s + f) % 4];
        std::string text = lines[band] ? lines[band] : russian;
        DrawLine(cr, sheet, fonts[f], text, 0.02 + f * 1.0, top + s * 0.17 + y * 0, size);
      }
    }
    cairo_surface_destroy(sheet);
  }
  cairo_destroy(cr);
  std::vector<uint8_t> rgba = StraightRgba(target);
  cairo_surface_destroy(target);
  return WritePng(path, width, height, rgba);
}
