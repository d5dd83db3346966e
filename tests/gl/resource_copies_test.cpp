// Once uploaded, textures and static vertex buffers live only in GL: locking
// them again must still give back what was written, and changes made then
// must reach the screen.
#include <vector>

#include "platform/d3d9/gl/gl_api.h"
#include "platform/d3d9/gl/gl_depth_scan.h"
#include "support/gl.h"

namespace {

uint32_t TexelAt(const D3DLOCKED_RECT& locked, int x, int y) {
  uint32_t value;
  std::memcpy(&value, static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch + x * 4, 4);
  return value;
}
}  // namespace

TEST_F(GlDeviceTest, TexturesLockedAgainReadBackEveryLevelAndTakeChanges) {
  OPEN_OR_SKIP();
  const std::vector<uint32_t> level0 = {kRed, kGreen, kBlue, 0x80FFFFFF};
  d3d9::Texture* texture = MakeTexture(2, 2, level0, 2);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(D3D_OK, texture->LockRect(1, &locked, nullptr, 0));
  std::memcpy(locked.pBits, &kBlue, 4);
  texture->UnlockRect(1);

  ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Hex(TexelAt(locked, i % 2, i / 2)), Hex(level0[i])) << i;
  const uint32_t green = kGreen;
  std::memcpy(locked.pBits, &green, 4);
  texture->UnlockRect(0);
  ASSERT_EQ(D3D_OK, texture->LockRect(1, &locked, nullptr, 0));
  EXPECT_EQ(Hex(TexelAt(locked, 0, 0)), Hex(kBlue));
  texture->UnlockRect(1);

  device->SetTexture(0, texture);
  auto pixels = FullQuad(0xFFFFFFFF);
  EXPECT_RGB_NEAR(Pixel(pixels, 16, 16), kGreen);
  EXPECT_RGB_NEAR(Pixel(pixels, 16, 48), kBlue);
  device->SetTexture(0, nullptr);
  texture->Release();
}

// Every model's buffer gets vertex arrays of its own: they must go with it,
// or a long evening of levels loaded and let go grows without end. And a
// new buffer draws its own vertices, whatever GL name it gets.
TEST_F(GlDeviceTest, VertexArraysGoWithTheirBuffersAndNewBuffersDrawTheirOwnVertices) {
  OPEN_OR_SKIP();
  auto drawBuffer = [&](float left, float right, D3DCOLOR colour) {
    const auto quad = QuadStrip(left, 1, right, -1, 0.5f, colour);
    const UINT bytes = UINT(quad.size() * sizeof(TestVertex));
    d3d9::VertexBuffer* buffer = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateVertexBuffer(bytes, 0, kTestFvf, D3DPOOL_DEFAULT, &buffer));
    void* data = nullptr;
    ASSERT_EQ(D3D_OK, buffer->Lock(0, bytes, &data, 0));
    std::memcpy(data, quad.data(), bytes);
    buffer->Unlock();
    device->SetStreamSource(0, buffer, 0, sizeof(TestVertex));
    EXPECT_EQ(D3D_OK, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2));
    device->SetStreamSource(0, nullptr, 0, 0);
    buffer->Release();
  };
  Clear(0xFF000000);
  drawBuffer(-1, 0, kRed);
  const size_t held = d3d9::VertexArraysForTests();
  for (int i = 0; i < 20; ++i) {
    Clear(0xFF000000);
    drawBuffer(0, 1, kGreen);
  }
  EXPECT_LE(d3d9::VertexArraysForTests(), held);
  const auto pixels = Read();
  EXPECT_RGB_NEAR(Pixel(pixels, 16, 32), 0xFF000000);
  EXPECT_RGB_NEAR(Pixel(pixels, 48, 32), kGreen);
}

// The round keeps its scenery this way: the kept frame must come back whole,
// its depth too, under its own tag and only in place of a cleared frame,
// multisampled or not. It tells where it left the clear's depth, and a
// scissor rectangle there confines what is drawn over it.
TEST_F(GlDeviceTest, AKeptFrameComesBackWithItsDepthInPlaceOfAClearedOne) {
  for (D3DMULTISAMPLE_TYPE samples : {D3DMULTISAMPLE_NONE, D3DMULTISAMPLE_4_SAMPLES}) {
    SCOPED_TRACE(samples);
    if (device) {
      device->Release();
      direct3d->Release();
      DestroyWindow(window);
      device = nullptr;
    }
    OPEN_OR_SKIP(64, 64, samples);
    EXPECT_NE(D3D_OK, device->RestoreKeptFrame(7, nullptr)) << "nothing kept yet";
    Clear(0xFF000000);
    EXPECT_NE(D3D_OK, device->NoteKeptFrameOpenRects()) << "nothing kept yet";
    DrawStrip(QuadStrip(-1, 1, 0, -1, 0.25f, kRed));  // the left half, near
    ASSERT_EQ(D3D_OK, device->KeepFrame(7));
    DrawStrip(QuadStrip(-1, 1, 1, 0, 0.25f, kRed));  // the top half, drawn after the keep but before the note
    ASSERT_EQ(D3D_OK, device->NoteKeptFrameOpenRects());
    device->Present(nullptr, nullptr, nullptr, nullptr);

    Clear(kBlue);
    d3d9::OpenRects open;
    EXPECT_NE(D3D_OK, device->RestoreKeptFrame(8, &open));
    ASSERT_EQ(D3D_OK, device->RestoreKeptFrame(7, &open));
    // The bottom right quarter, in bands of four rows (unless multisampled);
    // the top right quarter comes back as it was kept, cleared to black.
    std::vector<std::vector<int>> found, expected;
    for (DWORD i = 0; i < open.count; ++i)
      found.push_back({open.rects[i].left, open.rects[i].top, open.rects[i].right, open.rects[i].bottom});
    for (int top = 32; top < 64 && !samples; top += 4) expected.push_back({32, top, 64, top + 4});
    if (samples) expected = {{0, 0, 64, 64}};
    EXPECT_EQ(found, expected);
    const RECT band{0, 32, 64, 48};
    device->SetScissorRect(&band);
    device->SetRenderState(D3DRS_SCISSORTESTENABLE, 1);
    DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, kGreen));  // everywhere, behind the red
    device->SetRenderState(D3DRS_SCISSORTESTENABLE, 0);
    const auto pixels = Read();
    EXPECT_RGB_NEAR(Pixel(pixels, 16, 40), kRed);
    EXPECT_RGB_NEAR(Pixel(pixels, 48, 40), kGreen);
    EXPECT_RGB_NEAR(Pixel(pixels, 48, 56), 0xFF000000) << "outside the scissor rectangle";
    EXPECT_RGB_NEAR(Pixel(pixels, 48, 16), 0xFF000000) << "drawn after the keep";
    EXPECT_NE(D3D_OK, device->RestoreKeptFrame(7, nullptr)) << "drawn on since the clear";
    Clear(kBlue);
    const D3DRECT corner{0, 0, 8, 8};
    device->Clear(1, &corner, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kRed, 0.0f, 0);
    EXPECT_NE(D3D_OK, device->RestoreKeptFrame(7, nullptr)) << "partly cleared since";
  }
  // A buffer whose depth cannot be read leaves the whole frame open.
  GLuint frameBuffer = 0;
  glGenFramebuffers(1, &frameBuffer);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, frameBuffer);
  const d3d9::OpenRects unread = d3d9::ScanClearedDepth(64, 64, true, 1.0f);
  glDeleteFramebuffers(1, &frameBuffer);
  EXPECT_EQ(std::vector<int>({int(unread.count), unread.rects[0].right, unread.rects[0].bottom}),
            std::vector<int>({1, 64, 64}));
}
