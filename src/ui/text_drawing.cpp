#include "ui/text_drawing.h"

#include <cstring>

#include "core/graphics_device.h"
#include "render/interface_quads.h"
#include "render/material.h"
#include "render/quad_buffers.h"
#include "render/shader_library.h"
#include "render/transforms.h"
#include "render/vertex.h"

namespace {

constexpr unsigned char kLineBreak = 10;
constexpr unsigned char kHiddenMark = '^';

unsigned char ByteAt(const char* text, size_t i) { return static_cast<unsigned char>(text[i]); }

// Draws one glyph at (x, y) and returns the pen advance; a glyph the font
// lacks is skipped and does not advance.
float DrawGlyph(const Font& font, unsigned char c, float x, float y, float height) {
  if (!font.hasGlyph(c)) return 0;
  const Glyph& glyph = font.glyphs[c];
  float width = font.charWidth(c, height);
  drawQuadRegion(x, y, width, height, glyph.u, glyph.v, glyph.tw, glyph.th);
  return width + font.spacing;
}

void DrawLineGlyphs(const Font& font, const char* text, float x, float y, float maxWidth, float height) {
  size_t length = std::strlen(text);
  float pen = 0;
  for (size_t i = FitLineStart(font, text, length, maxWidth, height); i < length; ++i) {
    unsigned char c = ByteAt(text, i);
    if (c == ' ')
      pen += font.spaceWidth + font.spacing;
    else if (c != kHiddenMark)
      pen += DrawGlyph(font, c, x + pen, y, height);
  }
}

// Sum of the glyph widths up to the next space or the end, without spacing.
float WordWidth(const Font& font, const char* text, size_t from, size_t length, float height) {
  float width = 0;
  for (size_t i = from; i < length && text[i] != ' '; ++i) width += font.charWidth(ByteAt(text, i), height);
  return width;
}

void BindFontTexture(const Font& font) { Device->SetTexture(0, font.texture); }

}  // namespace

size_t FitLineStart(const Font& font, const char* text, size_t length, float maxWidth, float height) {
  float sum = 0;
  for (size_t i = length; i-- > 0;) {
    unsigned char c = ByteAt(text, i);
    if (c == ' ')
      sum += font.spaceWidth + font.spacing;
    else if (font.hasGlyph(c))
      sum += font.charWidth(c, height) + font.spacing;
    if (sum >= maxWidth) return i + 1;
  }
  return 0;
}

void DrawTextLine(const char* text, float x, float y, float maxWidth, float height, const char* fontName) {
  if (!text || !Device) return;
  const Font& font = *FindFont(fontName);
  BindFontTexture(font);
  DrawLineGlyphs(font, text, x, y, maxWidth, height);
}

void DrawTextWrapped(const char* text, float x, float y, float wrapWidth, const char* fontName, float lineHeight) {
  if (!text || !Device) return;
  const Font& font = *FindFont(fontName);
  BindFontTexture(font);
  size_t length = std::strlen(text);
  float penX = 0, penY = 0;
  bool wordMeasured = false;
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = ByteAt(text, i);
    if (c == kLineBreak) {
      penY += lineHeight;
      penX = 0;
      // The character after a break is taken in the same step, never as a
      // second break.
      if (++i == length) break;
      c = ByteAt(text, i);
    }
    if (c == kHiddenMark) continue;
    if (c == ' ') {
      penX += font.spaceWidth + font.spacing;
      wordMeasured = false;
      continue;
    }
    if (!wordMeasured) {
      if (penX + WordWidth(font, text, i, length, lineHeight) >= wrapWidth && penX > 0) {
        penY += lineHeight;
        penX = 0;
      }
      wordMeasured = true;
    }
    penX += DrawGlyph(font, c, x + penX, y + penY, lineHeight);
  }
}

void DrawTextOverlay(const char* text, float x, float y, float maxWidth, float height, const char* fontName) {
  if (!text || !Device) return;
  const Font& font = *FindFont(fontName);
  BindFontTexture(font);
  Device->SetTexture(1, nullptr);
  Device->SetPixelShader(nullptr);
  const D3DXMATRIX savedWorld = Graphics.WorldMatrix, savedView = Graphics.ViewMatrix;
  Graphics.WorldMatrix = Graphics.InterfaceWorldMatrix;
  Graphics.ViewMatrix = Graphics.InterfaceViewMatrix;
  Shaders.bindVertexProgram("iface");
  UploadTransforms();
  Device->SetStreamSource(0, QuadBuffers.UnitQuadBuffer, 0, kVertexStride);
  Device->SetRenderState(D3DRS_ZENABLE, 0);
  DrawLineGlyphs(font, text, x, y, maxWidth, height);
  Graphics.WorldMatrix = savedWorld;
  Graphics.ViewMatrix = savedView;
  Device->SetRenderState(D3DRS_ZENABLE, 1);
  Materials.bindMaterial("empty");
}
