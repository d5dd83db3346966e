#include "font_sheets.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "paint.h"
#include "platform/code_page.h"
#include "surface.h"
#include "text.h"

namespace {

struct FontStyle {
  const char* blockName;
  const char* imagePath;        // in the game folder
  const char* texturePath;      // as the game opens it
  const char* descriptionPath;  // in the game folder
  Face face;
  double pixelSize;  // em size on the sheet
  double outline;    // outline half width in em
  Rgba top, bottom;  // fill gradient over the cell height
  Rgba outlineColour;
};

struct GlyphCell {
  unsigned long index = 0;  // glyph index in the face; 0 = no picture
  double left = 0;          // cell edges relative to the pen position
  double right = 0;
  int x = 0, y = 0, width = 0;
};

constexpr int kSheetWidth = 1024;
constexpr int kGap = 10;  // between cells, so mip levels do not mix neighbours

int NextPowerOfTwo(int value) {
  int result = 1;
  while (result < value) result *= 2;
  return result;
}

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  return buffer;
}

FontSheet Build(const FontStyle& style) {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* measure = cairo_create(scratch);
  UseFace(measure, style.face, style.pixelSize);
  FT_Face ftFace = FreeTypeFace(style.face);
  double pad = style.outline * style.pixelSize + 0.5;

  GlyphCell cells[256];
  double ascent = 0, descent = 0;
  for (int byte = 32; byte < 256; ++byte) {
    uint32_t code = Cp1251ToUnicode(uint8_t(byte));
    if (code == 0) continue;
    unsigned long index = FT_Get_Char_Index(ftFace, code == 0xA0 ? 0x20 : code);
    if (index == 0) continue;
    cairo_glyph_t glyph{index, 0, 0};
    cairo_text_extents_t extents;
    cairo_glyph_extents(measure, &glyph, 1, &extents);
    GlyphCell& cell = cells[byte];
    cell.index = index;
    bool hasInk = extents.width > 0 && extents.height > 0;
    cell.left = hasInk ? std::min(0.0, extents.x_bearing - pad) : 0.0;
    cell.right = hasInk ? std::max(extents.x_advance, extents.x_bearing + extents.width + pad) : extents.x_advance;
    if (hasInk) {
      ascent = std::max(ascent, -extents.y_bearing + pad);
      descent = std::max(descent, extents.y_bearing + extents.height + pad);
    }
  }
  cairo_destroy(measure);
  cairo_surface_destroy(scratch);

  int cellHeight = int(std::ceil(ascent + descent));
  int x = kGap, y = kGap;
  for (int byte = 32; byte < 256; ++byte) {
    GlyphCell& cell = cells[byte];
    if (cell.index == 0) continue;
    cell.width = int(std::ceil(cell.right - cell.left));
    if (x + cell.width + kGap > kSheetWidth) {
      x = kGap;
      y += cellHeight + kGap;
    }
    cell.x = x;
    cell.y = y;
    x += cell.width + kGap;
  }
  int height = NextPowerOfTwo(y + cellHeight + kGap);

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSheetWidth, height);
  cairo_t* cr = cairo_create(surface);
  PrepareCairo(cr);
  UseFace(cr, style.face, style.pixelSize);
  for (int byte = 32; byte < 256; ++byte) {
    const GlyphCell& cell = cells[byte];
    if (cell.index == 0) continue;
    cairo_save(cr);
    cairo_rectangle(cr, cell.x, cell.y, cell.width, cellHeight);
    cairo_clip(cr);
    cairo_glyph_t glyph{cell.index, cell.x - cell.left, cell.y + ascent};
    cairo_new_path(cr);
    cairo_glyph_path(cr, &glyph, 1);
    SetColour(cr, style.outlineColour);
    cairo_set_line_width(cr, 2.0 * style.outline * style.pixelSize);
    cairo_stroke_preserve(cr);
    SetLinear(cr, 0, cell.y + ascent - style.pixelSize * 0.75, 0, cell.y + ascent, style.top, style.bottom);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  cairo_destroy(cr);

  FontSheet sheet;
  sheet.imagePath = style.imagePath;
  sheet.descriptionPath = style.descriptionPath;
  sheet.width = kSheetWidth;
  sheet.height = height;
  sheet.rgba = StraightRgba(surface);
  cairo_surface_destroy(surface);
  BleedIntoTransparent(sheet.rgba, sheet.width, sheet.height);

  std::string& text = sheet.description;
  text += std::string(style.blockName) + " {\n";
  text += std::string("  texture ") + style.texturePath + "\n";
  text += "  sizex " + std::to_string(kSheetWidth) + "\n";
  text += "  sizey " + std::to_string(height) + "\n";
  text += "  data coords 256 4 {\n";
  for (int byte = 0; byte < 256; ++byte) {
    const GlyphCell& cell = cells[byte];
    double u = 0, v = 0, tw = 0, th = 0;
    if (cell.index != 0) {
      u = double(cell.x) / kSheetWidth;
      v = double(cell.y) / height;
      tw = double(cell.width) / kSheetWidth;
      th = double(cellHeight) / height;
    }
    sheet.coords[size_t(byte)] = {u, v, tw, th};
    text += "  " + Number(u) + " " + Number(v) + " " + Number(tw) + " " + Number(th) + "\n";
  }
  text += "  }\n}\n";
  return sheet;
}

}  // namespace

std::vector<FontSheet> BuildFontSheets() {
  const Rgba ink = Hex(0x24160C);
  // Bold white letters with a dark rim for buttons and anything over busy
  // or dark pictures; regular dark letters with a cream halo for longer
  // texts on the light panels. Both stay readable on any background.
  FontStyle bold{"defaultfont", "bin/defaultfont.png", "bin\\defaultfont.png", "bin/defaultfont.s",
                 Face::SansBold, 48.0, 0.068, Hex(0xFFFFFF), Hex(0xFFF0C8), ink};
  FontStyle light{"lightfont", "data/lightfont.png", "data\\lightfont.png", "data/lightfont.s",
                  Face::Sans, 48.0, 0.06, Hex(0x3A2416), Hex(0x24160C), Hex(0xFFF8E6)};
  return {Build(bold), Build(light)};
}
