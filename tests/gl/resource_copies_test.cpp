// Once uploaded, textures and static vertex buffers live only in GL: locking
// them again must still give back what was written, and changes made then
// must reach the screen.
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
