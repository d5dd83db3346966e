// The OpenGL device against Direct3D's conventions, on the fixed-function
// path with identity transforms: positions are clip coordinates, y up, depth
// 0 (near) to 1 (far).
#include <thread>

#include "support/gl.h"

namespace {

constexpr D3DCOLOR kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                   kBlack = 0xFF000000;

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
  Clear(kBlack);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, kWhite));
  auto pixels = Read();
  EXPECT_RGB_NEAR(Pixel(pixels, 16, 16), kRed);
  EXPECT_RGB_NEAR(Pixel(pixels, 48, 16), kGreen);
  EXPECT_RGB_NEAR(Pixel(pixels, 16, 48), kBlue);
  EXPECT_RGB_NEAR(Pixel(pixels, 48, 48), kWhite);

  // Diffuse 0xFF808080 halves the texture; a BGRA vertex colour would swap red and blue.
  Clear(kBlack);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, 0xFFFF8000));
  pixels = Read();
  EXPECT_RGB_NEAR(Pixel(pixels, 48, 48), 0xFFFF8000);
  EXPECT_RGB_NEAR(Pixel(pixels, 16, 16), 0xFFFF0000);
  EXPECT_RGB_NEAR(Pixel(pixels, 48, 16), 0xFF008000);
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_F(GlDeviceTest, SourceAlphaBlendingMixesWithTheBackground) {
  OPEN_OR_SKIP();
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
  Clear(kBlue);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, 0x80FF0000));
  EXPECT_RGB_NEAR(Pixel(Read(), 32, 32), 0xFF80007F);

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
  Clear(kBlack);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, kWhite));
  auto pixels = Read();
  EXPECT_RGB_NEAR(Pixel(pixels, 8, 32), kBlack);
  EXPECT_RGB_NEAR(Pixel(pixels, 24, 32), kBlack);
  EXPECT_RGB_NEAR(Pixel(pixels, 40, 32), kWhite);
  EXPECT_RGB_NEAR(Pixel(pixels, 56, 32), kWhite);

  device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_LESS);
  device->SetRenderState(D3DRS_ALPHAREF, 100);
  Clear(kBlack);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, kWhite));
  pixels = Read();
  EXPECT_RGB_NEAR(Pixel(pixels, 8, 32), kWhite);
  EXPECT_RGB_NEAR(Pixel(pixels, 24, 32), kBlack);

  device->SetRenderState(D3DRS_ALPHATESTENABLE, 0);
  Clear(kBlack);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, kWhite));
  EXPECT_RGB_NEAR(Pixel(Read(), 24, 32), kWhite);
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

TEST_F(GlDeviceTest, VertexBufferDrawsHonourOffsetStrideAndStartVertex) {
  OPEN_OR_SKIP();
  std::vector<TestVertex> both = QuadStrip(-1, 1, 1, -1, 0.5f, kRed);
  auto green = QuadStrip(-1, 1, 1, -1, 0.5f, kGreen);
  both.insert(both.end(), green.begin(), green.end());
  d3d9::VertexBuffer* buffer = nullptr;
  ASSERT_EQ(D3D_OK, device->CreateVertexBuffer(UINT(both.size() * 56), D3DUSAGE_WRITEONLY, kTestFvf,
                                               D3DPOOL_DEFAULT, &buffer));
  void* data = nullptr;
  ASSERT_EQ(D3D_OK, buffer->Lock(0, 0, &data, 0));
  std::memcpy(data, both.data(), both.size() * 56);
  buffer->Unlock();

  device->SetStreamSource(0, buffer, 0, 56);
  Clear(kBlack);
  ASSERT_EQ(D3D_OK, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 4, 2));
  EXPECT_RGB_NEAR(Pixel(Read(), 32, 32), kGreen);
  device->SetStreamSource(0, buffer, 0, 56);
  ASSERT_EQ(D3D_OK, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2));
  EXPECT_RGB_NEAR(Pixel(Read(), 32, 32), kRed);
  device->SetStreamSource(0, buffer, 4 * 56, 56);
  ASSERT_EQ(D3D_OK, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2));
  EXPECT_RGB_NEAR(Pixel(Read(), 32, 32), kGreen);

  // Reading past the end of the buffer is refused, not drawn.
  EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 2, 2));
  // A later lock and unlock reaches the drawing.
  ASSERT_EQ(D3D_OK, buffer->Lock(4 * 56, 4 * 56, &data, 0));
  for (int i = 0; i < 4; ++i) static_cast<TestVertex*>(data)[i].colour = kBlue;
  buffer->Unlock();
  ASSERT_EQ(D3D_OK, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2));
  EXPECT_RGB_NEAR(Pixel(Read(), 32, 32), kBlue);
  device->SetStreamSource(0, nullptr, 0, 0);
  buffer->Release();
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
  device->SetTexture(0, nullptr);
  texture->Release();
}

TEST_F(GlDeviceTest, SecondStageModulatesWithItsOwnTextureCoordinates) {
  OPEN_OR_SKIP();
  d3d9::Texture* base = MakeTexture(1, 1, {0xFFFF8040});
  d3d9::Texture* shade = MakeTexture(2, 1, {0xFFFFFFFF, 0xFF808080});
  device->SetTexture(0, base);
  device->SetTexture(1, shade);
  device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 1);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
  // The second set of coordinates (bytes 36..43) runs opposite to the first.
  auto quad = QuadStrip(-1, 1, 1, -1, 0.5f, 0xFFFFFFFF);
  for (TestVertex& v : quad) v.u1 = 1 - v.u, v.v1 = v.v;
  Clear(kBlack);
  DrawStrip(quad);
  auto pixels = Read();
  EXPECT_RGB_NEAR(Pixel(pixels, 8, 32), 0xFF804020);   // shaded half of the second texture
  EXPECT_RGB_NEAR(Pixel(pixels, 56, 32), 0xFFFF8040);  // white half

  // Switched off again, the second stage changes nothing.
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  DrawStrip(quad);
  EXPECT_RGB_NEAR(Pixel(Read(), 8, 32), 0xFFFF8040);
  device->SetTexture(0, nullptr);
  device->SetTexture(1, nullptr);
  base->Release();
  shade->Release();
}

TEST_F(GlDeviceTest, AnotherThreadDrawsAfterTheContextIsHandedOver) {
  OPEN_OR_SKIP();
  Clear(kRed);
  ASSERT_EQ(D3D_OK, device->ReleaseThread());
  std::vector<uint32_t> seen;
  std::thread render([&] {
    ASSERT_EQ(D3D_OK, device->AcquireThread());
    Clear(kBlack);
    DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, kGreen));
    device->Present(nullptr, nullptr, nullptr, nullptr);
    seen = Read();
    device->ReleaseThread();
  });
  render.join();
  ASSERT_EQ(D3D_OK, device->AcquireThread());
  ASSERT_FALSE(seen.empty());
  EXPECT_RGB_NEAR(Pixel(seen, 32, 32), kGreen);
}

}  // namespace
