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

}  // namespace
