#pragma once
// Bitmap fonts: a character sheet and, for each of the 256 byte values, the
// rectangle of its picture in the sheet.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9.h"

struct Glyph {
  float u = 0, v = 0;    // top-left of the picture, texture coordinates
  float tw = 0, th = 0;  // its size in texture coordinates
  float sw = 0, sh = 0;  // its size in interface units at the configured width
};

struct Font {
  std::string name;
  IDirect3DTexture9* texture = nullptr;  // a reference of the font's own
  int32_t sizex = 0, sizey = 0;
  float spacing = 0.001f;     // after every drawn character and every space
  float spaceWidth = 0.01f;   // advance of a space
  std::array<Glyph, 256> glyphs{};

  // A glyph without a usable picture (no row in the table, zero height) is
  // left out of measuring and drawing altogether.
  bool hasGlyph(unsigned char c) const;
  // Width of character c drawn `height` high, keeping the picture's aspect;
  // 0 for a glyph the font lacks.
  float charWidth(unsigned char c, float height) const;
};

// The fonts loaded by name; the default font is kept apart.
struct FontRegistry {
  std::vector<std::unique_ptr<Font>> FontList;
  Font DefaultFont;
};
extern FontRegistry Fonts;

// Reads the sizes and the glyph table of a font file into `font`, scaled for
// the configured Options.width. A missing file leaves everything zero.
void ReadFontFile(Font& font, const std::string& path);

// Builds the font `name` from "data\<file>.s" with the sheet its "texture"
// key names (the error texture if that fails) and appends it to Fonts.FontList.
Font* LoadFont(const char* name, const char* file);
// The font "default" from "bin\defaultfont.s", drawn with the built-in font
// texture; called once the built-in textures are loaded.
void LoadDefaultFont();
// "light" from "data\lightfont.s".
void LoadLightFont();
// The texture file the light font draws from.
std::string LightFontTextureFile();

// The first font of Fonts.FontList with exactly this name; the default font for a
// null or unknown name.
Font* FindFont(const char* name);

// Drops the font textures' references and empties Fonts.FontList and the default
// font. Must run while the device still exists.
void ReleaseFonts();
