#include "text.h"

#include <cairo-ft.h>

namespace {

FT_Library library = nullptr;
FT_Face faces[2] = {nullptr, nullptr};
cairo_font_face_t* cairoFaces[2] = {nullptr, nullptr};

bool OpenOne(const std::string& path, int index) {
  if (FT_New_Face(library, path.c_str(), 0, &faces[index]) != 0) return false;
  cairoFaces[index] = cairo_ft_font_face_create_for_ft_face(faces[index], 0);
  return cairo_font_face_status(cairoFaces[index]) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool OpenFaces(const std::string& folder) {
  if (FT_Init_FreeType(&library) != 0) return false;
  return OpenOne(folder + "/DejaVuSans.ttf", 0) && OpenOne(folder + "/DejaVuSans-Bold.ttf", 1);
}

void CloseFaces() {
  for (int i = 0; i < 2; ++i) {
    if (cairoFaces[i]) cairo_font_face_destroy(cairoFaces[i]);
    cairoFaces[i] = nullptr;
  }
  // Cairo may keep the faces in its caches until it is reset, so they are
  // released only when the process ends.
}

FT_Face FreeTypeFace(Face face) { return faces[face == Face::SansBold ? 1 : 0]; }

void UseFace(cairo_t* cr, Face face, double size) {
  cairo_set_font_face(cr, cairoFaces[face == Face::SansBold ? 1 : 0]);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

void OutlinedText(cairo_t* cr, const char* text, double cx, double cy, double size, Face face,
                  const Rgba& fill, const Rgba& outline, double outlineWidth) {
  cairo_save(cr);
  UseFace(cr, face, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text, &extents);
  double x = cx - extents.x_bearing - extents.width * 0.5;
  double y = cy - extents.y_bearing - extents.height * 0.5;
  cairo_new_path(cr);
  cairo_move_to(cr, x, y);
  cairo_text_path(cr, text);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (outlineWidth > 0) {
    SetColour(cr, outline);
    cairo_set_line_width(cr, outlineWidth * 2.0);
    cairo_stroke_preserve(cr);
  }
  SetColour(cr, fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

double FitTextSize(cairo_t* cr, const char* text, double size, double maxWidth, Face face) {
  cairo_save(cr);
  UseFace(cr, face, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text, &extents);
  cairo_restore(cr);
  if (extents.width <= maxWidth || extents.width <= 0) return size;
  return size * maxWidth / extents.width;
}
