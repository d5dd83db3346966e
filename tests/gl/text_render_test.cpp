// Text drawn headless with the generated default font sheet: the glyph's
// picture must appear on screen where the font table places it, on both
// drawing paths, and the frame-rate counter must stay in its corner.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/engine.h"
#include "core/camera.h"
#include "core/graphics_device.h"
#include "core/options.h"
#include "d3dutil/png_image.h"
#include "platform/files.h"
#include "platform/test_hooks.h"
#include "platform/window.h"
#include "render/quad_buffers.h"
#include "render/render_steps.h"
#include "render/texture_cache.h"
#include "render/transforms.h"
#include "textfile/test_files.h"
#include "ui/fps_display.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr float kPixelsPerUnit = kWidth / 2.0f;
constexpr D3DCOLOR kBackground = 0xFF2040C0;

int Channel(uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

bool Near(uint32_t p, uint32_t expected, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(Channel(p, shift) - Channel(expected, shift)) > tolerance) return false;
  return true;
}

class TextRenderTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
  }

  void TearDown() override {
    ReleaseFonts();
    if (Device) {
      ReleaseTexturesShadersAndMaterials();
      ReleaseRenderNames();
      ReleaseUnitQuadBuffer();
      ReleaseBillboardQuadBuffer();
      ReleaseGraphicsDevice();
    }
    ClearCameras();
    if (MainWindow) DestroyWindow(MainWindow);
    MainWindow = nullptr;
    d3d9::ForceFixedFunctionCaps(false);
    std::filesystem::current_path(previousFolder);
  }

  // The game's shaders and the generated default font; false when the sheet
  // has not been generated.
  bool CopyContent() {
    std::string game = KESTRIN_GAME_DIR;
    if (!std::filesystem::exists(game + "/bin/defaultfont.png") || !std::filesystem::exists(game + "/bin/defaultfont.s"))
      return false;
    std::string source = std::string(KESTRIN_SOURCE_DIR) + "/content/bin";
    std::filesystem::create_directories("bin");
    std::filesystem::copy(source + "/shdr", "bin/shdr", std::filesystem::copy_options::recursive);
    std::filesystem::copy(source + "/shdrpart", "bin/shdrpart", std::filesystem::copy_options::recursive);
    for (const char* file : {"defaultfont.png", "defaultfont.s", "black.png", "error.png"})
      std::filesystem::copy(game + "/bin/" + file, std::string("bin/") + file);
    std::vector<unsigned char> bytes;
    return ReadWholeFile("bin/defaultfont.png", bytes) && DecodePng(bytes, &sheet);
  }

  bool Start(bool shaders) {
    d3d9::SetBackend(d3d9::Backend::OpenGL);
    d3d9::ForceFixedFunctionCaps(!shaders);
    res_width = kWidth;
    res_height = kHeight;
    multysample = 0;
    foolscreen = 0;
    anisotropic = 0;
    AspectRatio = static_cast<float>(kHeight) / kWidth;
    MainWindow = CreatePlatformWindow("Kestrin test", kWidth, kHeight, false);
    if (!MainWindow) return false;
    GraphicsDeviceExit = [](int) {};
    CreateGraphicsDevice();
    if (!Device) return false;
    LoadShadersTexturesAndErrorMesh();
    CreateMaterialEmpty();
    LoadDefaultFont();
    CreateUnitQuadBuffer();
    CreateBillboardQuadBuffer();
    return true;
  }

  // A cleared frame in the interface pass, as the frame loop sets it up.
  void BeginInterface() {
    const float white[4] = {1, 1, 1, 1};
    Device->SetPixelShaderConstantF(16, white, 1);
    Device->BeginScene();
    Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0f, 0);
    Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    BindSceneMaterialAndTexture();
    Device->SetRenderState(D3DRS_ZENABLE, 0);
    WorldMatrix = InterfaceWorldMatrix;
    ViewMatrix = InterfaceViewMatrix;
    ProjectionMatrix = InterfaceProjectionMatrix;
    Device->SetTransform(D3DTS_PROJECTION, &ProjectionMatrix);
    Device->SetTransform(D3DTS_WORLD, &WorldMatrix);
    Device->SetTransform(D3DTS_VIEW, &ViewMatrix);
    UploadTransforms();
    BeginInterfaceQuads(false);
  }

  std::vector<uint32_t> Finish() {
    Device->EndScene();
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    EXPECT_EQ(Device->ReadBackBuffer(&pixels, &w, &h), D3D_OK);
    pixels.resize(size_t(kWidth) * kHeight);
    return pixels;
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
    const Glyph& glyph = DefaultFont.glyphs[c];
    ASSERT_TRUE(DefaultFont.hasGlyph(c));
    const float x = 0.5f, y = 0.4f, height = 0.6f;
    const char text[2] = {static_cast<char>(c), 0};
    BeginInterface();
    DrawTextLine(text, x, y, 2.0f, height, "default");
    auto pixels = Finish();

    const float left = x * kPixelsPerUnit, top = y * kPixelsPerUnit;
    const float width = DefaultFont.charWidth(c, height) * kPixelsPerUnit, tall = height * kPixelsPerUnit;
    int glyphPixels = 0, clearPixels = 0, wrong = 0;
    for (int py = 0; py < kHeight; ++py)
      for (int px = 0; px < kWidth; ++px) {
        uint32_t p = pixels[size_t(py) * kWidth + px];
        float fx = (px + 0.5f - left) / width, fy = (py + 0.5f - top) / tall;
        bool inside = fx >= 0 && fx < 1 && fy >= 0 && fy < 1;
        if (!inside) {
          bool nearEdge = fx > -0.02f && fx < 1.02f && fy > -0.02f && fy < 1.02f;
          if (!nearEdge && !Near(p, kBackground, 2)) ++wrong;
          continue;
        }
        float u = glyph.u + fx * glyph.tw, v = glyph.v + fy * glyph.th;
        if (SheetAround(u, v, true)) {
          ++glyphPixels;
          if (Channel(p, 8) < 200) ++wrong;
        } else if (SheetAround(u, v, false)) {
          ++clearPixels;
          if (!Near(p, kBackground, 3)) ++wrong;
        }
      }
    EXPECT_GT(glyphPixels, 500) << "character " << int(c);
    EXPECT_GT(clearPixels, 500) << "character " << int(c);
    EXPECT_EQ(wrong, 0) << "character " << int(c);
  }

  testfiles::TempDir dir;
  std::filesystem::path previousFolder;
  ArgbImage sheet;
};

#define START_OR_SKIP(shaders)                                                               \
  if (!CopyContent()) GTEST_SKIP() << "the font sheets have not been generated into " KESTRIN_GAME_DIR; \
  if (!Start(shaders)) GTEST_SKIP() << "no OpenGL here"

TEST_F(TextRenderTest, GlyphPicturesAppearWhereTheTablePlacesThemWithShaders) {
  START_OR_SKIP(true);
  ASSERT_EQ(ShaderPath, 1);
  CheckGlyphOnScreen('H');
  CheckGlyphOnScreen('g');
  CheckGlyphOnScreen(0xC6);  // a Cyrillic letter of the code page
}

TEST_F(TextRenderTest, GlyphPicturesAppearWhereTheTablePlacesThemWithoutShaders) {
  START_OR_SKIP(false);
  ASSERT_EQ(ShaderPath, 0);
  // Without shaders the interface view takes part, and a look-at towards -z mirrors x.
  if (InterfaceViewMatrix._11 < 0) GTEST_SKIP() << "the interface view mirrors x on the fixed-function path";
  CheckGlyphOnScreen('H');
  CheckGlyphOnScreen('&');
}

TEST_F(TextRenderTest, FrameRateCounterStaysInTheTopLeftCorner) {
  START_OR_SKIP(true);
  std::snprintf(FpsText, sizeof FpsText, "fps=%d", 1234);
  BeginInterface();
  DrawFpsDisplay();
  auto pixels = Finish();
  const int right = static_cast<int>(0.6f * kPixelsPerUnit), bottom = static_cast<int>(0.04f * kPixelsPerUnit);
  int lit = 0, stray = 0, lastLitColumn = 0;
  for (int py = 0; py < kHeight; ++py)
    for (int px = 0; px < kWidth; ++px) {
      uint32_t p = pixels[size_t(py) * kWidth + px];
      if (Near(p, kBackground, 2)) continue;
      if (px <= right && py <= bottom + 1) {
        ++lit;
        lastLitColumn = std::max(lastLitColumn, px);
      } else {
        ++stray;
      }
    }
  EXPECT_GT(lit, 100);
  EXPECT_EQ(stray, 0);
  // Eight characters 16 pixels high run about 70 pixels.
  EXPECT_GT(lastLitColumn, 50);
  EXPECT_LT(lastLitColumn, right);
}

}  // namespace
