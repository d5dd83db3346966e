// The OpenGL device against Direct3D's conventions, on the fixed-function
// path with identity transforms: positions are clip coordinates, y up, depth
// 0 (near) to 1 (far).

#include "support/gl.h"

namespace {

TEST_F(GlDeviceTest, TopOfClipSpaceIsRowZeroAndClearRectanglesCountFromTheTop) {
  OPEN_OR_SKIP();
  Clear(kRed);
  DrawStrip(QuadStrip(-1, 1, 1, 0, 0.5f, kGreen));
  D3DRECT corner{0, 0, 16, 16};
  device->Clear(1, &corner, D3DCLEAR_TARGET, kBlue, 1.0f, 0);
  auto pixels = Read();
  EXPECT_RGB_NEAR(Pixel(pixels, 40, 5), kGreen);
  EXPECT_RGB_NEAR(Pixel(pixels, 40, 60), kRed);
  EXPECT_RGB_NEAR(Pixel(pixels, 4, 4), kBlue);
  EXPECT_RGB_NEAR(Pixel(pixels, 4, 20), kGreen);
}

TEST_F(GlDeviceTest, TextureRowZeroIsAtVZeroAndColourModulatesIt) {
  OPEN_OR_SKIP();
  d3d9::Texture* texture = MakeTexture(2, 2, {kRed, kGreen, kBlue, kWhite});
  device->SetTexture(0, texture);
  auto pixels = FullQuad(kWhite);
  EXPECT_RGB_NEAR(Pixel(pixels, 16, 16), kRed);
  EXPECT_RGB_NEAR(Pixel(pixels, 48, 16), kGreen);
  EXPECT_RGB_NEAR(Pixel(pixels, 16, 48), kBlue);
  EXPECT_RGB_NEAR(Pixel(pixels, 48, 48), kWhite);

  // Diffuse 0xFF808080 halves the texture; a BGRA vertex colour would swap red and blue.
  pixels = FullQuad(0xFFFF8000);
  EXPECT_RGB_NEAR(Pixel(pixels, 48, 48), 0xFFFF8000);
  EXPECT_RGB_NEAR(Pixel(pixels, 16, 16), 0xFFFF0000);
  EXPECT_RGB_NEAR(Pixel(pixels, 48, 16), 0xFF008000);

  // MODULATE2X doubles the product: a quarter grey on red gives half red.
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE2X);
  EXPECT_RGB_NEAR(Pixel(FullQuad(0xFF404040), 16, 16), 0xFF800000);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_F(GlDeviceTest, SourceAlphaBlendingMixesWithTheBackground) {
  OPEN_OR_SKIP();
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
  EXPECT_RGB_NEAR(Pixel(FullQuad(0x80FF0000, kBlue), 32, 32), 0xFF80007F);

  device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, 0x80FF0000));
  EXPECT_RGB_NEAR(Pixel(Read(), 32, 32), kRed);
}

TEST_F(GlDeviceTest, AlphaTestComparesTheEightBitAlphaWithTheReference) {
  OPEN_OR_SKIP();
  d3d9::Texture* texture = MakeTexture(4, 1, {0x00FFFFFF, 0xEFFFFFFF, 0xF0FFFFFF, 0xFFFFFFFF});
  device->SetTexture(0, texture);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device->SetRenderState(D3DRS_ALPHATESTENABLE, 1);
  device->SetRenderState(D3DRS_ALPHAREF, 240);
  device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
  auto pixels = FullQuad(kWhite);
  EXPECT_RGB_NEAR(Pixel(pixels, 8, 32), kBlack);
  EXPECT_RGB_NEAR(Pixel(pixels, 24, 32), kBlack);
  EXPECT_RGB_NEAR(Pixel(pixels, 40, 32), kWhite);
  EXPECT_RGB_NEAR(Pixel(pixels, 56, 32), kWhite);

  // GREATER leaves out an alpha equal to the reference.
  device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
  pixels = FullQuad(kWhite);
  EXPECT_RGB_NEAR(Pixel(pixels, 40, 32), kBlack);
  EXPECT_RGB_NEAR(Pixel(pixels, 56, 32), kWhite);

  device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_LESS);
  device->SetRenderState(D3DRS_ALPHAREF, 100);
  pixels = FullQuad(kWhite);
  EXPECT_RGB_NEAR(Pixel(pixels, 8, 32), kWhite);
  EXPECT_RGB_NEAR(Pixel(pixels, 24, 32), kBlack);

  device->SetRenderState(D3DRS_ALPHATESTENABLE, 0);
  EXPECT_RGB_NEAR(Pixel(FullQuad(kWhite), 24, 32), kWhite);
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_F(GlDeviceTest, DepthTestKeepsTheNearerSurfaceUnlessSwitchedOff) {
  OPEN_OR_SKIP();
  Clear(kBlack);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.2f, kRed));
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.8f, kGreen));
  EXPECT_RGB_NEAR(Pixel(Read(), 32, 32), kRed);

  device->SetRenderState(D3DRS_ZENABLE, 0);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.8f, kGreen));
  EXPECT_RGB_NEAR(Pixel(Read(), 32, 32), kGreen);

  // Without depth writes a near surface does not hide what comes after it.
  device->SetRenderState(D3DRS_ZENABLE, 1);
  device->SetRenderState(D3DRS_ZWRITEENABLE, 0);
  Clear(kBlack);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.2f, kBlue));
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.8f, kGreen));
  EXPECT_RGB_NEAR(Pixel(Read(), 32, 32), kGreen);
  // Clear resets depth even while writes are off.
  device->SetRenderState(D3DRS_ZWRITEENABLE, 1);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.2f, kBlue));
  Clear(kBlack);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.8f, kRed));
  EXPECT_RGB_NEAR(Pixel(Read(), 32, 32), kRed);

  // Direct3D's depth runs from 0: a surface in front of the near plane is clipped.
  Clear(kBlack);
  DrawStrip(QuadStrip(-1, 1, 1, -1, -0.5f, kRed));
  EXPECT_RGB_NEAR(Pixel(Read(), 32, 32), kBlack);
}

TEST_F(GlDeviceTest, CullModesRemoveTrianglesByTheirWindingOnScreen) {
  OPEN_OR_SKIP();
  // Top left, top right, bottom left: clockwise as seen on screen.
  std::vector<TestVertex> clockwise{MakeVertex(-1, 1, 0.5f, kGreen), MakeVertex(1, 1, 0.5f, kGreen),
                                    MakeVertex(-1, -1, 0.5f, kGreen)};
  std::vector<TestVertex> counterClockwise{clockwise[0], clockwise[2], clockwise[1]};
  auto drawn = [&](D3DCULL mode, const std::vector<TestVertex>& triangle) {
    device->SetRenderState(D3DRS_CULLMODE, mode);
    Clear(kBlack);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle.data(), sizeof(TestVertex));
    return RgbNear(Pixel(Read(), 10, 10), kGreen);
  };
  EXPECT_TRUE(drawn(D3DCULL_CCW, clockwise));
  EXPECT_FALSE(drawn(D3DCULL_CCW, counterClockwise));
  EXPECT_FALSE(drawn(D3DCULL_CW, clockwise));
  EXPECT_TRUE(drawn(D3DCULL_CW, counterClockwise));
  EXPECT_TRUE(drawn(D3DCULL_NONE, counterClockwise));
}

TEST_F(GlDeviceTest, MipLevelsAreLockedSeparatelyAndSampledBySize) {
  OPEN_OR_SKIP();
  d3d9::Texture* texture = nullptr;
  ASSERT_EQ(D3D_OK, device->CreateTexture(4, 4, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture));
  ASSERT_EQ(3u, texture->GetLevelCount());
  const D3DCOLOR colours[3] = {kRed, kGreen, kBlue};
  for (UINT level = 0; level < 3; ++level) {
    D3DSURFACE_DESC desc;
    ASSERT_EQ(D3D_OK, texture->GetLevelDesc(level, &desc));
    D3DLOCKED_RECT locked;
    ASSERT_EQ(D3D_OK, texture->LockRect(level, &locked, nullptr, 0));
    for (UINT y = 0; y < desc.Height; ++y)
      for (UINT x = 0; x < desc.Width; ++x)
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch)[x] = colours[level];
    texture->UnlockRect(level);
  }
  device->SetTexture(0, texture);
  device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
  Clear(kBlack);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, kWhite));  // 4 texels over 64 pixels: level 0
  float one = 2.0f / 64;                              // one pixel: the 1 x 1 level
  DrawStrip(QuadStrip(-1, 1, -1 + one, 1 - one, 0.2f, kWhite));
  auto pixels = Read();
  EXPECT_RGB_NEAR(Pixel(pixels, 32, 32), kRed);
  EXPECT_RGB_NEAR(Pixel(pixels, 0, 0), kBlue);
  // Without a mip filter only the top level is used.
  device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE);
  DrawStrip(QuadStrip(-1, 1, -1 + one, 1 - one, 0.1f, kWhite));
  EXPECT_RGB_NEAR(Pixel(Read(), 0, 0), kRed);
  texture->Release();

  // Levels never locked are there all the same (a driver draws nothing from
  // a texture with levels missing).
  texture = MakeTexture(4, 4, std::vector<uint32_t>(16, kGreen), 3);
  device->SetTexture(0, texture);
  device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
  EXPECT_RGB_NEAR(Pixel(FullQuad(kWhite), 32, 32), kGreen);
  device->SetTexture(0, nullptr);
  texture->Release();
}

}  // namespace
