// Once uploaded, textures and static vertex buffers live only in GL: locking
// them again must still give back what was written, and changes made then
// must reach the screen.
#include "support/gl.h"

namespace {
constexpr D3DCOLOR kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kBlack = 0xFF000000;

uint32_t TexelAt(const D3DLOCKED_RECT& locked, int x, int y) {
  uint32_t value;
  std::memcpy(&value, static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch + x * 4, 4);
  return value;
}
}  // namespace

TEST_F(GlDeviceTest, TexturesLockedAgainReadBackEveryLevelAndTakeChanges) {
  OPEN_OR_SKIP();
  d3d9::Texture* texture = nullptr;
  ASSERT_EQ(D3D_OK, device->CreateTexture(2, 2, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture));
  const uint32_t level0[4] = {kRed, kGreen, kBlue, 0x80FFFFFF};
  D3DLOCKED_RECT locked;
  ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
  for (int y = 0; y < 2; ++y) std::memcpy(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch, &level0[y * 2], 8);
  texture->UnlockRect(0);
  ASSERT_EQ(D3D_OK, texture->LockRect(1, &locked, nullptr, 0));
  std::memcpy(locked.pBits, &kBlue, 4);
  texture->UnlockRect(1);

  ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
  EXPECT_EQ(Hex(TexelAt(locked, 0, 0)), Hex(kRed));
  EXPECT_EQ(Hex(TexelAt(locked, 1, 0)), Hex(kGreen));
  EXPECT_EQ(Hex(TexelAt(locked, 0, 1)), Hex(kBlue));
  EXPECT_EQ(Hex(TexelAt(locked, 1, 1)), Hex(0x80FFFFFF));
  const uint32_t green = kGreen;
  std::memcpy(locked.pBits, &green, 4);
  texture->UnlockRect(0);
  ASSERT_EQ(D3D_OK, texture->LockRect(1, &locked, nullptr, 0));
  EXPECT_EQ(Hex(TexelAt(locked, 0, 0)), Hex(kBlue));
  texture->UnlockRect(1);

  device->SetTexture(0, texture);
  Clear(kBlack);
  DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, 0xFFFFFFFF));
  auto pixels = Read();
  EXPECT_RGB_NEAR(Pixel(pixels, 16, 16), kGreen);
  EXPECT_RGB_NEAR(Pixel(pixels, 16, 48), kBlue);
  device->SetTexture(0, nullptr);
  texture->Release();
}
