#include "render/texture_cache.h"

#include <gtest/gtest.h>

#include "support/png.h"
#include "support/recording.h"

namespace {

using rendertest::RenderTest;
using support::WriteSolidPng;

class TextureCacheTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    std::filesystem::create_directories("bin");
    std::filesystem::create_directories("textures");
    WriteSolidPng("bin/black.png", 4, 4, 0xFF000000);
    WriteSolidPng("bin/error.png", 4, 4, 0xFFFF00FF);
    WriteSolidPng("bin/defaultfont.png", 8, 8, 0xFFFFFFFF);
    WriteSolidPng("textures/a.png", 2, 2, 0xFF112233);
    WriteSolidPng("textures/b.png", 2, 2, 0xFF445566);
  }

  d3d9::Texture* BoundAfter(DWORD stage, const char* name) {
    Textures.bindTexture(stage, name);
    return device->State().textures[stage];
  }
};

TEST_F(TextureCacheTest, NamesAreLoadedOnceAndMissingFilesShowTheErrorTexture) {
  Textures.loadBuiltInTextures();
  EXPECT_TRUE(Textures.addTextures("a, b a missing"));
  EXPECT_EQ(Textures.names.count, 3);
  EXPECT_EQ(device->CreatedTextures(), 5);
  d3d9::Texture* a = BoundAfter(0, "a");
  EXPECT_NE(a, nullptr);
  EXPECT_NE(a, Textures.errorTexture);
  EXPECT_NE(BoundAfter(0, "b"), a);
  EXPECT_EQ(BoundAfter(0, "missing"), Textures.errorTexture);

  // Known names, the failed one included, are never tried again.
  WriteSolidPng("textures/missing.png", 2, 2, 0xFFFFFFFF);
  EXPECT_FALSE(Textures.addTextures("missing a"));
  EXPECT_EQ(device->CreatedTextures(), 5);
  EXPECT_EQ(BoundAfter(0, "missing"), Textures.errorTexture);
  EXPECT_EQ(BoundAfter(0, "a"), a);
}

TEST_F(TextureCacheTest, ErrortexAndUnknownNamesBindTheErrorTextureAndNullBindsNone) {
  Textures.loadBuiltInTextures();
  Textures.addTextures("a errortex");
  EXPECT_EQ(BoundAfter(0, "errortex"), Textures.errorTexture);
  EXPECT_EQ(BoundAfter(0, "never"), Textures.errorTexture);
  EXPECT_EQ(BoundAfter(0, "A"), Textures.errorTexture);
  EXPECT_NE(BoundAfter(1, "a"), nullptr);
  EXPECT_EQ(BoundAfter(1, nullptr), nullptr);
}

// A round lets go of the menu's big pictures; when their screen comes back
// they are read again from their files, and nothing else is disturbed.
TEST_F(TextureCacheTest, UnloadedTexturesAreReadAgainWhenNextBound) {
  Textures.loadBuiltInTextures();
  Textures.addTextures("a b");
  d3d9::Texture* shown = BoundAfter(0, "a");
  d3d9::Texture* b = BoundAfter(1, "b");
  Textures.unloadTextures("a, never a");
  EXPECT_EQ(Textures.names.count, 2);
  EXPECT_EQ(Textures.textures[0], nullptr);
  // The stage still holds its reference to the texture let go.
  D3DSURFACE_DESC desc;
  EXPECT_EQ(D3D_OK, shown->GetLevelDesc(0, &desc));

  WriteSolidPng("textures/a.png", 2, 2, 0xFF778899);
  const int created = device->CreatedTextures();
  d3d9::Texture* again = BoundAfter(0, "a");
  EXPECT_EQ(device->CreatedTextures(), created + 1);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(D3D_OK, again->LockRect(0, &locked, nullptr, D3DLOCK_READONLY));
  EXPECT_EQ(*static_cast<const uint32_t*>(locked.pBits), 0xFF778899u);
  again->UnlockRect(0);
  EXPECT_EQ(BoundAfter(0, "a"), again);
  EXPECT_EQ(BoundAfter(1, "b"), b);
  EXPECT_EQ(device->CreatedTextures(), created + 1);
}

}  // namespace
