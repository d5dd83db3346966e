// Text drawn headless with the generated default font sheet: the glyph's
// picture must appear on screen where the font table places it, on both
// drawing paths, and the frame-rate counter must stay in its corner.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/test_hooks.h"
#include "platform/png_image.h"
#include "platform/files.h"
#include "support/gl.h"
#include "ui/fps_display.h"
#include "ui/text_drawing.h"

namespace {

constexpr D3DCOLOR kBackground = 0xFF2040C0;


class TextRenderTest : public GameDeviceTest {
 protected:
  // The game's shaders and the generated default font; false when the sheet
  // has not been generated.
  bool CopyContent() {
    std::string game = KESTRIN_GAME_DIR;
    if (!std::filesystem::exists(game + "/bin/defaultfont.png") || !std::filesystem::exists(game + "/bin/defaultfont.s"))
      return false;
    CopyGameShaders();
    for (const char* file : {"defaultfont.png", "defaultfont.s", "black.png", "error.png"})
      std::filesystem::copy(game + "/bin/" + file, std::string("bin/") + file);
    std::vector<unsigned char> bytes;
    return ReadWholeFile("bin/defaultfont.png", bytes) && DecodePng(bytes, &sheet);
  }

  bool Start(bool shaders) {
    if (!StartDevice(kScreenWidth, kScreenHeight, shaders)) return false;
    LoadDefaultFont();
    return true;
  }

  uint32_t SheetAt(float u, float v) const {
    int x = std::clamp(static_cast<int>(u * sheet.width), 0, sheet.width - 1);
    int y = std::clamp(static_cast<int>(v * sheet.height), 0, sheet.height - 1);
    return sheet.pixels[size_t(y) * sheet.width + x];
  }

  // Whether every texel around (u, v) is transparent, or opaque and light.
  bool SheetAround(float u, float v, bool opaqueLight) const {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx) {
        uint32_t texel = SheetAt(u + dx / float(sheet.width), v + dy / float(sheet.height));
        bool matches = opaqueLight ? (texel >> 24) == 0xFF && Channel(texel, 8) >= 230 : (texel >> 24) == 0;
        if (!matches) return false;
      }
    return true;
  }

  // Draws one big glyph and compares the frame with the sheet's picture.
  void CheckGlyphOnScreen(unsigned char c) {
    const Glyph& glyph = Fonts.DefaultFont.glyphs[c];
    ASSERT_TRUE(Fonts.DefaultFont.hasGlyph(c));
    const float x = 0.5f, y = 0.4f, height = 0.6f;
    const char text[2] = {static_cast<char>(c), 0};
    BeginInterface(kBackground);
    DrawTextLine(text, x, y, 2.0f, height, "default");
    auto pixels = Finish();

    const float left = x * kPixelsPerUnit, top = y * kPixelsPerUnit;
    const float width = Fonts.DefaultFont.charWidth(c, height) * kPixelsPerUnit, tall = height * kPixelsPerUnit;
    int glyphPixels = 0, clearPixels = 0, wrong = 0;
    for (int py = 0; py < kScreenHeight; ++py)
      for (int px = 0; px < kScreenWidth; ++px) {
        uint32_t p = pixels[size_t(py) * kScreenWidth + px];
        float fx = (px + 0.5f - left) / width, fy = (py + 0.5f - top) / tall;
        bool inside = fx >= 0 && fx < 1 && fy >= 0 && fy < 1;
        if (!inside) {
          bool nearEdge = fx > -0.02f && fx < 1.02f && fy > -0.02f && fy < 1.02f;
          if (!nearEdge && !RgbNear(p, kBackground, 2)) ++wrong;
          continue;
        }
        float u = glyph.u + fx * glyph.tw, v = glyph.v + fy * glyph.th;
        if (SheetAround(u, v, true)) {
          ++glyphPixels;
          if (Channel(p, 8) < 200) ++wrong;
        } else if (SheetAround(u, v, false)) {
          ++clearPixels;
          if (!RgbNear(p, kBackground, 3)) ++wrong;
        }
      }
    EXPECT_GT(glyphPixels, 500) << "character " << int(c);
    EXPECT_GT(clearPixels, 500) << "character " << int(c);
    EXPECT_EQ(wrong, 0) << "character " << int(c);
  }

  ArgbImage sheet;
};

#define START_TEXT_OR_SKIP(shaders)                                                               \
  if (!CopyContent()) GTEST_SKIP() << "the font sheets have not been generated into " KESTRIN_GAME_DIR; \
  if (!Start(shaders)) GTEST_SKIP() << "no OpenGL here"

// With shaders, and without them, where the interface view takes part.
class TextRenderPaths : public TextRenderTest, public testing::WithParamInterface<bool> {};

TEST_P(TextRenderPaths, GlyphPicturesAppearWhereTheTablePlacesThem) {
  const bool shaders = GetParam();
  START_TEXT_OR_SKIP(shaders);
  ASSERT_EQ(Graphics.ShaderPath, shaders ? 1 : 0);
  // A look-at towards -z mirrors x.
  if (!shaders && Graphics.InterfaceViewMatrix._11 < 0)
    GTEST_SKIP() << "the interface view mirrors x on the fixed-function path";
  for (int c : {int('H'), int('g'), int('&'), 0xC6}) CheckGlyphOnScreen(c);  // 0xC6: a Cyrillic letter of the code page
}

INSTANTIATE_TEST_SUITE_P(ShaderAndFixedFunctionPath, TextRenderPaths, testing::Bool());

}  // namespace
