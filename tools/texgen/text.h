#pragma once
// Text set in DejaVu through FreeType: captions baked into pictures and the
// font sheets use the same faces.
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

#include "paint.h"

enum class Face { Sans, SansBold };

// Loads DejaVuSans.ttf and DejaVuSans-Bold.ttf from `folder`; false when one
// of them is missing.
bool OpenFaces(const std::string& folder);
void CloseFaces();

FT_Face FreeTypeFace(Face face);
// Selects the face and size with fixed font options (grey antialiasing, no
// hinting), so the output does not depend on the machine's font settings.
void UseFace(cairo_t* cr, Face face, double size);

// UTF-8 text centred on (cx, cy) by its ink box, filled and outlined.
void OutlinedText(cairo_t* cr, const char* text, double cx, double cy, double size, Face face,
                  const Rgba& fill, const Rgba& outline, double outlineWidth);
// The largest size up to `size` at which the text fits `maxWidth`.
double FitTextSize(cairo_t* cr, const char* text, double size, double maxWidth, Face face);
