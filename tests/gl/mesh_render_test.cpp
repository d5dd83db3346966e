// The game's own shaders on the OpenGL device: a lit model and interface
// rectangles, set up by the real device set-up and the rendering start-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "d3dutil/decode_ahead.h"
#include "platform/test_hooks.h"
#include "render/interface_quads.h"
#include "render/mesh_registry.h"
#include "render/shader_library.h"
#include "support/gl.h"
#include "support/png.h"

namespace {

constexpr int kWidth = 128, kHeight = 96;

std::string Rgb(uint32_t p) {
  return std::to_string(Red(p)) + "," + std::to_string(Green(p)) + "," + std::to_string(Blue(p));
}

bool Near(uint32_t p, uint32_t expected, int tolerance = 3) { return RgbNear(p, expected, tolerance); }

// A model of three squares side by side in the plane z = 0, facing the
// camera, each with its own normals: one towards the light, one away from
// it, and one halfway between the light and the eye (the highlight).
std::string ThreeSquares(const D3DXVECTOR3 normals[3]) {
  std::string text = "squares\n1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\n12\n";
  const float left[3] = {-1.5f, -0.5f, 0.5f};
  for (float x : left)
    for (float dx : {0.0f, 0.9f})
      for (float y : {-0.45f, 0.45f}) text += std::to_string(x + dx) + " " + std::to_string(y) + " 0\n";
  for (int square = 0; square < 3; ++square)
    for (int corner = 0; corner < 4; ++corner)
      text += std::to_string(normals[square].x) + " " + std::to_string(normals[square].y) + " " +
              std::to_string(normals[square].z) + "\n";
  text += "6\n";
  for (int square = 0; square < 3; ++square) {
    int b = square * 4;
    text += std::to_string(b) + " " + std::to_string(b + 1) + " " + std::to_string(b + 2) + "\n";
    text += std::to_string(b + 2) + " " + std::to_string(b + 1) + " " + std::to_string(b + 3) + "\n";
  }
  text += "grey.png\n4\n0 0 0\n0 1 0\n1 0 0\n1 1 0\n";
  for (int square = 0; square < 3; ++square) text += "0 1 2\n2 1 3\n";
  return text + "0\n";
}

class GameShadersTest : public GameDeviceTest {
 protected:
  void SetUp() override {
    GameDeviceTest::SetUp();
    CopyGameShaders();
    std::filesystem::create_directories("textures");
    std::filesystem::create_directories("models");
    support::WriteSolidPng("bin/black.png", 4, 4, 0xFF000000);
    support::WriteSolidPng("bin/error.png", 4, 4, 0xFFFF00FF);
    support::WriteSolidPng("bin/defaultfont.png", 4, 4, 0xFFFFFFFF);
    support::WriteSolidPng("textures/grey.png", 4, 4, 0xFF808080);
    support::WriteSolidPng("textures/red.png", 4, 4, 0xFFFF0000);
    support::WriteSolidPng("textures/white.png", 4, 4, 0xFFFFFFFF);
    support::WritePng("textures/corners.png", 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
  }

  bool Start(bool shaders) {
    if (!StartDevice(kWidth, kHeight, shaders)) return false;
    CreateMaterialWorld();
    CreateMaterialsDiffuseAndSpecular();
    Textures.addTextures("grey red white corners");
    return true;
  }

  // The scene: eye at (0, 0, -3) looking at the origin, the game's light.
  void BeginScene() {
    Device->BeginScene();
    Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    Device->SetRenderState(D3DRS_ZENABLE, 1);
    Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    BindSceneMaterialAndTexture();
    Graphics.ProjectionMatrix = Graphics.SceneProjectionMatrix;
    D3DXVECTOR3 target(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&Graphics.ViewMatrix, &eye, &target, &up);
    Device->SetTransform(D3DTS_PROJECTION, &Graphics.ProjectionMatrix);
    Device->SetTransform(D3DTS_VIEW, &Graphics.ViewMatrix);
    Graphics.WorldMatrix = Graphics.SceneWorldMatrix;
    UploadTransforms();
    const float position[4] = {100, 100, 100, 1}, colour[4] = {0.99f, 0.99f, 0.99f, 1};
    const float direction[4] = {light.x, light.y, light.z, 1}, eyePosition[4] = {eye.x, eye.y, eye.z, 0};
    Device->SetPixelShaderConstantF(0, position, 1);
    Device->SetPixelShaderConstantF(4, direction, 1);
    Device->SetPixelShaderConstantF(8, colour, 1);
    Device->SetVertexShaderConstantF(20, position, 1);
    Device->SetVertexShaderConstantF(24, direction, 1);
    Device->SetVertexShaderConstantF(28, colour, 1);
    Device->SetPixelShaderConstantF(12, eyePosition, 1);
    Device->SetVertexShaderConstantF(32, eyePosition, 1);
  }

  static uint32_t At(const std::vector<uint32_t>& pixels, int x, int y) { return pixels[y * kWidth + x]; }

  // Screen position of a point of the scene.
  void Project(const D3DXVECTOR3& p, int* x, int* y) {
    D3DXMATRIX viewProjection = Graphics.ViewMatrix * Graphics.ProjectionMatrix;
    D3DXVECTOR3 clip;
    D3DXVec3TransformCoord(&clip, &p, &viewProjection);
    *x = static_cast<int>((clip.x + 1) * 0.5f * kWidth);
    *y = static_cast<int>((1 - clip.y) * 0.5f * kHeight);
  }

  D3DXVECTOR3 eye{0, 0, -3};
  D3DXVECTOR3 light{0.57735027f, 0.57735027f, 0.57735027f};
};

#define START_OR_SKIP(shaders) \
  if (!Start(shaders)) GTEST_SKIP() << "no OpenGL here"

TEST_F(GameShadersTest, LitModelsAreShadedWithAFloorAndHighlights) {
  // Normals: towards the light, away from it, and halfway between the light
  // and the eye at the third square's centre.
  D3DXVECTOR3 toEye = eye - D3DXVECTOR3(0.95f, 0, 0), half;
  D3DXVec3Normalize(&toEye, &toEye);
  half = toEye + light;
  D3DXVec3Normalize(&half, &half);
  const D3DXVECTOR3 normals[3] = {light, -light, half};
  dir.Write("models/squares.msh", ThreeSquares(normals));
  START_OR_SKIP(true);
  ASSERT_EQ(Graphics.ShaderPath, 1);
  Meshes.addMeshes("squares");
  ASSERT_NE(Meshes.find("squares").root, nullptr);

  auto render = [&](const char* material, const char* texture) {
    BeginScene();
    Materials.bindMaterial(material);
    Textures.bindTexture(0, texture);
    Meshes.find("squares").drawAt(D3DXVECTOR3(0, 0, 0), 1);
    return Finish();
  };
  int litX, y, shadowX, highlightX;
  BeginScene();
  Finish();
  Project(D3DXVECTOR3(-1.05f, 0, 0), &litX, &y);
  Project(D3DXVECTOR3(-0.05f, 0, 0), &shadowX, &y);
  Project(D3DXVECTOR3(0.95f, 0, 0), &highlightX, &y);

  auto flat = render("empty", "grey");
  auto diffuse = render("diffuse", "grey");
  auto specular = render("specular", "grey");
  auto red = render("diffuse", "red");

  // Flat: the texture as it is.
  EXPECT_TRUE(Near(At(flat, litX, y), 0xFF808080)) << Rgb(At(flat, litX, y));
  EXPECT_TRUE(Near(At(flat, shadowX, y), 0xFF808080)) << Rgb(At(flat, shadowX, y));
  // Diffuse: the side towards the light is bright, the side away from it
  // darker but far from black.
  int lit = Green(At(diffuse, litX, y)), shadow = Green(At(diffuse, shadowX, y));
  EXPECT_GE(lit, 128) << Rgb(At(diffuse, litX, y));
  EXPECT_GE(shadow, 40) << Rgb(At(diffuse, shadowX, y));
  EXPECT_LE(shadow, 80) << Rgb(At(diffuse, shadowX, y));
  // Specular: a highlight where the light mirrors towards the eye.
  int plain = Green(At(diffuse, highlightX, y)), shiny = Green(At(specular, highlightX, y));
  EXPECT_GE(shiny, plain + 80) << Rgb(At(diffuse, highlightX, y)) << " vs " << Rgb(At(specular, highlightX, y));
  // Its shade is softer: the side away from the light lies between the
  // diffuse shadow and the flat colour.
  EXPECT_GT(Green(At(specular, shadowX, y)), shadow + 10) << Rgb(At(specular, shadowX, y));
  EXPECT_LT(Green(At(specular, shadowX, y)), 118) << Rgb(At(specular, shadowX, y));
  // The texture's colour is kept.
  uint32_t litRed = At(red, litX, y);
  EXPECT_GE(Red(litRed), 250) << Rgb(litRed);
  EXPECT_LE(Green(litRed) + Blue(litRed), 4) << Rgb(litRed);
  // Outside the model: the clear colour.
  EXPECT_TRUE(Near(At(diffuse, 2, 2), 0xFF000000));
}

// Sampling a 2 x 2 image with linear filtering a little off its texel
// centres mixes in a few percent of the neighbours.
constexpr int kFilterTolerance = 12;

// The image "corners": red top left, green top right, blue bottom left,
// white bottom right.
void ExpectCornersAt(const std::vector<uint32_t>& pixels, int x0, int y0, int w, int h, const char* what) {
  const int xs[2] = {x0 + w / 4, x0 + 3 * w / 4}, ys[2] = {y0 + h / 4, y0 + 3 * h / 4};
  const uint32_t colours[2][2] = {{0xFFFF0000, 0xFF00FF00}, {0xFF0000FF, 0xFFFFFFFF}};
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 2; ++column) {
      uint32_t p = pixels[ys[row] * kWidth + xs[column]];
      EXPECT_TRUE(Near(p, colours[row][column], kFilterTolerance)) << what << " at " << xs[column] << "," << ys[row] << ": " << Rgb(p);
    }
}

void DrawInterfaceScene() {
  drawQuad("corners", 0, 0, 1, 0.75f);  // top-left quarter of the screen
}

TEST_F(GameShadersTest, TheSceneUnderAnOpaquePanelIsNotDrawnAndThePictureStaysTheSame) {
  START_OR_SKIP(true);
  // A panel over the middle of the screen, opaque but for a border of four
  // texels that blends.
  std::vector<uint32_t> panel(32 * 32, 0xFF3060A0);
  for (int i = 0; i < 32 * 32; ++i)
    if (std::min({i % 32, i / 32, 31 - i % 32, 31 - i / 32}) < 4) panel[i] = 0x803060A0;
  support::WritePng("textures/panel.png", 32, 32, panel);
  // Decoded ahead, as start-up loads the interface: its opaque part is worked
  // out there, and the file is not read again for it.
  DecodeAhead({TextureFile("panel")});
  Textures.addTextures("panel");
  StopDecodingAhead();
  std::remove("textures/panel.png");
  auto frame = [&](bool hide, bool withPanel) {
    BeginInterface(0xFF000000);
    if (hide) hideSceneUnderQuad("panel", 0.5f, 0.375f, 1, 0.75f);
    // The scene: red over the whole screen, depth-tested as the scene is.
    Device->SetRenderState(D3DRS_ZENABLE, 1);
    Textures.bindTexture(0, "red");
    drawQuadRegion(0, 0, 2, 1.5f, 0, 0, 1, 1);
    Device->SetRenderState(D3DRS_ZENABLE, 0);
    Textures.bindTexture(0, withPanel ? "panel" : nullptr);
    if (withPanel) drawQuadRegion(0.5f, 0.375f, 1, 0.75f, 0, 0, 1, 1);
    return Finish();
  };
  const auto sceneOnly = frame(true, false);
  EXPECT_TRUE(Near(At(sceneOnly, kWidth / 2, kHeight / 2), 0xFF000000)) << Rgb(At(sceneOnly, kWidth / 2, kHeight / 2));
  // The panel's blended border and all around it keep the scene.
  EXPECT_TRUE(Near(At(sceneOnly, kWidth / 4 + 1, kHeight / 2), 0xFFFF0000));
  EXPECT_TRUE(Near(At(sceneOnly, kWidth / 8, kHeight / 8), 0xFFFF0000));
  EXPECT_EQ(frame(true, true), frame(false, true));
  // Four texels of margin for filtering beyond the border; none is left of a
  // small texture, and an unknown name hides nothing.
  EXPECT_FLOAT_EQ(Textures.opaqueInset("panel").u, 8.0f / 32.0f);
  EXPECT_FLOAT_EQ(Textures.opaqueInset("red").v, 0.5f);
  EXPECT_FLOAT_EQ(Textures.opaqueInset("never").u, 0.5f);
}

TEST_F(GameShadersTest, InterfaceQuadsShowTheirImagesUprightWhereTheyArePlaced) {
  START_OR_SKIP(true);
  BeginScene();
  EnterInterfacePass(false);
  DrawInterfaceScene();
  // A widget quad in the bottom-right quarter, tinted green by register 16.
  EnterInterfacePass(false);
  const float green[4] = {0, 1, 0, 1};
  Device->SetPixelShaderConstantF(16, green, 1);
  Textures.bindTexture(0, "corners");
  drawQuadRegion(1, 0.75f, 1, 0.75f, 0, 0, 1, 1);
  auto pixels = Finish();
  ExpectCornersAt(pixels, 0, 0, kWidth / 2, kHeight / 2, "drawQuad");
  EXPECT_TRUE(Near(At(pixels, 3 * kWidth / 4, kHeight / 4), 0xFF000000)) << Rgb(At(pixels, 3 * kWidth / 4, kHeight / 4));
  // Tinted: red becomes black, green and white become green.
  for (int y : {kHeight / 2 + kHeight / 8, kHeight - kHeight / 8}) {
    EXPECT_TRUE(Near(At(pixels, kWidth / 2 + kWidth / 8, y), 0xFF000000, kFilterTolerance));
    EXPECT_TRUE(Near(At(pixels, kWidth - kWidth / 8, y), 0xFF00FF00, kFilterTolerance));
  }
}

}  // namespace
