#include "ui/font.h"

#include <cmath>

#include "core/options.h"
#include "render/texture_cache.h"
#include "textfile/config_node.h"

FontRegistry Fonts;

namespace {

// Width per unit of height, or -1 when the glyph has no usable picture.
float AspectOf(const Glyph& glyph) {
  if (!(glyph.sh > 0)) return -1;
  float aspect = glyph.sw / glyph.sh;
  return std::isfinite(aspect) && aspect >= 0 ? aspect : -1;
}

void ReadGlyphTable(Font& font, const ConfigNode& node) {
  font.sizex = node.Get("sizex").AsInt();
  font.sizey = node.Get("sizey").AsInt();
  // An interface unit is half the window width, on both axes.
  float unitPixels = Options.width / 2.0f;
  if (!(unitPixels > 0)) unitPixels = 1;
  for (int c = 0; c < 256; ++c) {
    Glyph& glyph = font.glyphs[c];
    glyph.u = node.GetCell("coords", c, 0).AsFloat();
    glyph.v = node.GetCell("coords", c, 1).AsFloat();
    glyph.tw = node.GetCell("coords", c, 2).AsFloat();
    glyph.th = node.GetCell("coords", c, 3).AsFloat();
    glyph.sw = font.sizex * glyph.tw / unitPixels;
    glyph.sh = font.sizey * glyph.th / unitPixels;
  }
  font.spacing = 0.001f;
  font.spaceWidth = 0.01f;
}

void KeepTexture(Font& font, IDirect3DTexture9* texture) {
  if (texture) texture->AddRef();
  font.texture = texture;
}

}  // namespace

bool Font::hasGlyph(unsigned char c) const { return AspectOf(glyphs[c]) >= 0; }

float Font::charWidth(unsigned char c, float height) const {
  float aspect = AspectOf(glyphs[c]);
  return aspect > 0 ? height * aspect : 0;
}

void ReadFontFile(Font& font, const std::string& path) {
  ConfigNode node;
  node.Load(path);
  ReadGlyphTable(font, node);
}

Font* LoadFont(const char* name, const char* file) {
  auto font = std::make_unique<Font>();
  font->name = name ? name : "";
  std::string path = std::string("data\\") + (file ? file : "") + ".s";
  ConfigNode node;
  node.Load(path);
  IDirect3DTexture9* sheet = LoadTextureFile(node.Get("texture").AsString());
  if (sheet)
    font->texture = sheet;
  else
    KeepTexture(*font, Textures.errorTexture);
  ReadGlyphTable(*font, node);
  Fonts.FontList.push_back(std::move(font));
  return Fonts.FontList.back().get();
}

void LoadDefaultFont() {
  if (Fonts.DefaultFont.texture) Fonts.DefaultFont.texture->Release();
  Fonts.DefaultFont = Font();
  Fonts.DefaultFont.name = "default";
  KeepTexture(Fonts.DefaultFont, Textures.fontTexture);
  ReadFontFile(Fonts.DefaultFont, "bin\\defaultfont.s");
}

void LoadLightFont() { LoadFont("light", "lightfont"); }

std::string LightFontTextureFile() {
  ConfigNode node;
  node.Load("data\\lightfont.s");
  const char* file = node.Get("texture").AsString();
  return file ? file : "";
}

Font* FindFont(const char* name) {
  if (name)
    for (auto& font : Fonts.FontList)
      if (font->name == name) return font.get();
  return &Fonts.DefaultFont;
}

void ReleaseFonts() {
  for (auto& font : Fonts.FontList)
    if (font->texture) font->texture->Release();
  Fonts.FontList.clear();
  if (Fonts.DefaultFont.texture) Fonts.DefaultFont.texture->Release();
  Fonts.DefaultFont = Font();
}
