#include "d3dutil/texture_loader.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "d3dutil/decode_ahead.h"
#include "platform/png_image.h"
#include "platform/files.h"
#include "platform/d3d9/recording/recording_device.h"
#include "support/files.h"

namespace {

namespace fs = std::filesystem;

// A PNG written with libpng directly, so every colour type and depth can be made.
struct PngSpec {
  int width = 1, height = 1;
  int colourType = PNG_COLOR_TYPE_RGB;
  int depth = 8;
  bool interlaced = false;
  std::vector<std::vector<png_byte>> rows;  // packed as the file stores them
  std::vector<png_color> palette;
  std::vector<png_byte> paletteAlpha;
  bool transparentColour = false;
  png_color_16 transparent{};
};

bool WritePng(const fs::path& path, const PngSpec& spec) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, spec.width, spec.height, spec.depth, spec.colourType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!spec.palette.empty()) png_set_PLTE(png, info, spec.palette.data(), int(spec.palette.size()));
  if (!spec.paletteAlpha.empty())
    png_set_tRNS(png, info, spec.paletteAlpha.data(), int(spec.paletteAlpha.size()), nullptr);
  if (spec.transparentColour) png_set_tRNS(png, info, nullptr, 0, const_cast<png_color_16*>(&spec.transparent));
  png_write_info(png, info);
  std::vector<png_bytep> rows;
  for (const auto& row : spec.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

std::vector<png_byte> Big16(std::initializer_list<int> samples) {
  std::vector<png_byte> row;
  for (int s : samples) {
    row.push_back(png_byte(s >> 8));
    row.push_back(png_byte(s & 255));
  }
  return row;
}

class TextureLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferWidth = 64;
    pp.BackBufferHeight = 64;
    device_ = new d3d9::RecordingDevice(pp, 0);
  }
  void TearDown() override { device_->Release(); }

  std::string Write(const std::string& name, const PngSpec& spec) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(WritePng(path, spec));
    return path;
  }

  // Loads as the game does: default sizes and mip levels, A8R8G8B8, linear
  // filtering with mirroring.
  HRESULT Load(const std::string& path, d3d9::Texture** texture, UINT width = D3DX_DEFAULT,
               UINT height = D3DX_DEFAULT, D3DXIMAGE_INFO* info = nullptr) {
    return D3DXCreateTextureFromFileExA(device_, path.c_str(), width, height, D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8,
                                        D3DPOOL_DEFAULT, 0x70003, 0x70003, 0, info, nullptr, texture);
  }

  static std::vector<uint32_t> Level(d3d9::Texture* texture, UINT level) {
    D3DSURFACE_DESC desc;
    texture->GetLevelDesc(level, &desc);
    D3DLOCKED_RECT locked;
    EXPECT_EQ(D3D_OK, texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY));
    std::vector<uint32_t> pixels(size_t(desc.Width) * desc.Height);
    for (UINT y = 0; y < desc.Height; ++y)
      std::memcpy(&pixels[size_t(y) * desc.Width], static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch,
                  desc.Width * 4);
    texture->UnlockRect(level);
    return pixels;
  }

  // Loads at the file's own size and returns the top level.
  std::vector<uint32_t> LoadExact(const std::string& path) {
    d3d9::Texture* texture = nullptr;
    EXPECT_EQ(D3D_OK, Load(path, &texture, D3DX_DEFAULT_NONPOW2, D3DX_DEFAULT_NONPOW2));
    if (!texture) return {};
    auto pixels = Level(texture, 0);
    texture->Release();
    return pixels;
  }

  testfiles::TempDir dir;
  d3d9::RecordingDevice* device_ = nullptr;
};

PngSpec Row(int width, int colourType, int depth, std::vector<png_byte> row) {
  PngSpec spec;
  spec.width = width;
  spec.colourType = colourType;
  spec.depth = depth;
  spec.rows = {std::move(row)};
  return spec;
}

TEST_F(TextureLoaderTest, EveryColourTypeBecomesArgb) {
  PngSpec palette = Row(4, PNG_COLOR_TYPE_PALETTE, 4, {0x01, 0x20});  // indices 0, 1, 2, 0
  palette.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  palette.paletteAlpha = {255, 128, 0};
  // A transparent colour (tRNS on an RGB image) loses its alpha.
  PngSpec keyed = Row(2, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 250, 251, 252});
  keyed.transparentColour = true;
  keyed.transparent.red = 250;
  keyed.transparent.green = 251;
  keyed.transparent.blue = 252;
  const std::pair<PngSpec, std::vector<uint32_t>> cases[] = {
      {palette, {0xFFFF0000, 0x8000FF00, 0x000000FF, 0xFFFF0000}},
      {Row(4, PNG_COLOR_TYPE_GRAY, 2, {0x1B}), {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF}},
      {Row(2, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x40, 0x80, 0xC0, 0xFF}), {0x80404040, 0xFFC0C0C0}},
      {Row(2, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 250, 251, 252}), {0xFF010203, 0xFFFAFBFC}},
      {Row(2, PNG_COLOR_TYPE_RGB_ALPHA, 8, {10, 20, 30, 40, 50, 60, 70, 0}), {0x280A141E, 0x00323C46}},
      {Row(2, PNG_COLOR_TYPE_RGB_ALPHA, 16, Big16({0x1234, 0xFFFF, 0x00FF, 0x8000, 0xABCD, 0, 0x7FFF, 0xFFFF})),
       {0x8012FF00, 0xFFAB007F}},
      {keyed, {0xFF010203, 0x00FAFBFC}},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].second, LoadExact(Write(std::to_string(i) + ".png", cases[i].first))) << "case " << i;
}

TEST_F(TextureLoaderTest, DefaultSizesRoundUpToPowersOfTwoWithAFullMipChain) {
  PngSpec odd = Row(100, PNG_COLOR_TYPE_RGB, 8, {});
  for (int i = 0; i < 100; ++i) odd.rows[0].insert(odd.rows[0].end(), {200, 100, 50});
  odd.rows.assign(odd.height = 30, odd.rows[0]);
  d3d9::Texture* texture = nullptr;
  D3DXIMAGE_INFO info{};
  ASSERT_EQ(D3D_OK, Load(Write("odd.png", odd), &texture, D3DX_DEFAULT, D3DX_DEFAULT, &info));
  EXPECT_EQ(100u, info.Width);
  EXPECT_EQ(30u, info.Height);
  EXPECT_EQ(D3DXIFF_PNG, info.ImageFileFormat);
  ASSERT_EQ(8u, texture->GetLevelCount());  // 128 x 32 down to 1 x 1
  const UINT sizes[8][2] = {{128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}};
  for (UINT level = 0; level < 8; ++level) {
    D3DSURFACE_DESC desc;
    ASSERT_EQ(D3D_OK, texture->GetLevelDesc(level, &desc));
    EXPECT_EQ(sizes[level][0], desc.Width);
    EXPECT_EQ(sizes[level][1], desc.Height);
    EXPECT_EQ(D3DFMT_A8R8G8B8, desc.Format);
    for (uint32_t p : Level(texture, level)) ASSERT_EQ(0xFFC86432u, p) << "level " << level;
  }
  texture->Release();
}

TEST_F(TextureLoaderTest, ScalingIsLinearAndMipLevelsAverage) {
  // 3 x 1 grey ramp stretched to 4 x 1; mirrored edges keep the end values.
  PngSpec ramp;
  ramp.width = 3;
  ramp.colourType = PNG_COLOR_TYPE_GRAY;
  ramp.rows = {{0, 120, 240}};
  d3d9::Texture* texture = nullptr;
  ASSERT_EQ(D3D_OK, Load(Write("ramp.png", ramp), &texture));
  auto top = Level(texture, 0);
  ASSERT_EQ(4u, top.size());
  // Pixel centres land on source positions -0.125, 0.625, 1.375, 2.125; beyond
  // the ends the mirrored neighbour is the end pixel itself.
  const int expected[4] = {0, 75, 165, 240};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(expected[i], int(top[i] & 255), 1) << i;
  // One row high, the chain averages along it and rounds halves up.
  EXPECT_EQ((std::vector<uint32_t>{0xFF262626, 0xFFCBCBCB}), Level(texture, 1));
  texture->Release();

  // 2 x 2 blocks of black and white: level 1 keeps them, level 2 is the mean.
  PngSpec checker;
  checker.width = checker.height = 4;
  checker.colourType = PNG_COLOR_TYPE_GRAY;
  checker.rows = {{0, 0, 255, 255}, {0, 0, 255, 255}, {255, 255, 0, 0}, {255, 255, 0, 0}};
  ASSERT_EQ(D3D_OK, Load(Write("checker.png", checker), &texture));
  EXPECT_EQ((std::vector<uint32_t>{0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}), Level(texture, 1));
  EXPECT_EQ(0xFF808080u, Level(texture, 2)[0]);
  texture->Release();
}

// Files decoded on the second thread, taken in turn, out of turn or not at
// all, load as they do when read then: same levels, same failures.
TEST_F(TextureLoaderTest, DecodingAheadGivesTheSameTextures) {
  PngSpec square = Row(4, PNG_COLOR_TYPE_GRAY, 8, {});
  square.height = 4;
  square.rows = {{0, 90, 180, 255}, {255, 0, 90, 180}, {180, 255, 0, 91}, {91, 180, 255, 0}};
  PngSpec odd = Row(3, PNG_COLOR_TYPE_GRAY, 8, {0, 120, 240});
  const std::vector<std::string> files = {Write("a.png", square), Write("b.png", odd), dir.File("none.png"),
                                          Write("c.png", square), Write("d.png", odd)};
  auto loadAll = [&] {
    std::vector<std::vector<uint32_t>> levels;
    for (size_t i : {0, 1, 2, 4, 3}) {
      d3d9::Texture* texture = nullptr;
      levels.push_back({uint32_t(Load(files[i], &texture))});
      for (UINT level = 0; texture && level < texture->GetLevelCount(); ++level)
        levels.push_back(Level(texture, level));
      if (texture) texture->Release();
    }
    return levels;
  };
  const auto read = loadAll();
  DecodeAhead(files);
  EXPECT_EQ(read, loadAll());
  StopDecodingAhead();
}

// Font files give their sheet's path as they like: /dev/zero never ends and
// a pipe without a writer blocks on opening, so neither may be read.
TEST_F(TextureLoaderTest, MissingCorruptOversizedAndHostileFilesFailCleanly) {
  const std::string pipe = dir.File("sheet.png");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  d3d9::Texture* texture = nullptr;
  for (const std::string& path : {dir.File("absent.png"), std::string("/dev/zero"), pipe, dir.path()}) {
    texture = reinterpret_cast<d3d9::Texture*>(1);
    EXPECT_EQ(D3DERR_NOTFOUND, Load(path, &texture)) << path;
    EXPECT_EQ(nullptr, texture);
  }
  std::vector<unsigned char> zeros;
  EXPECT_FALSE(ReadWholeFile("/dev/zero", zeros));

  PngSpec rgb;
  rgb.width = 64;
  rgb.height = 64;
  rgb.rows.assign(64, std::vector<png_byte>(192, 0));
  for (int y = 0; y < 64; ++y)
    for (int i = 0; i < 192; ++i) rgb.rows[y][i] = png_byte(y * 7 + i * 13);
  std::string whole = Write("whole.png", rgb);
  std::vector<char> bytes(fs::file_size(whole));
  std::ifstream(whole, std::ios::binary).read(bytes.data(), std::streamsize(bytes.size()));

  auto writeBytes = [&](const std::string& name, const std::vector<char>& data) {
    return dir.Write(name, std::string(data.begin(), data.end()));
  };
  for (size_t cut : {size_t(0), size_t(7), size_t(30), bytes.size() / 2, bytes.size() - 13}) {
    std::vector<char> truncated(bytes.begin(), bytes.begin() + long(cut));
    texture = reinterpret_cast<d3d9::Texture*>(1);
    EXPECT_EQ(D3DXERR_INVALIDDATA, Load(writeBytes("cut.png", truncated), &texture)) << "cut at " << cut;
    EXPECT_EQ(nullptr, texture);
  }
  std::vector<char> damaged = bytes;
  for (size_t i = 60; i < damaged.size() - 20; i += 7) damaged[i] = char(damaged[i] ^ 0x5A);
  EXPECT_EQ(D3DXERR_INVALIDDATA, Load(writeBytes("damaged.png", damaged), &texture));
  std::vector<char> text{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g', '!'};
  EXPECT_EQ(D3DXERR_INVALIDDATA, Load(writeBytes("text.png", text), &texture));

  // A header claiming 100000 x 100000 pixels is refused before anything that size is made.
  std::vector<char> claim = bytes;
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) claim[at + i] = char(v >> (24 - 8 * i));
  };
  put32(16, 100000);
  put32(20, 100000);
  put32(29, uint32_t(png_uint_32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(&claim[12]), 17))));
  ArgbImage decoded;
  std::string error;
  EXPECT_FALSE(DecodePng(std::vector<unsigned char>(claim.begin(), claim.end()), &decoded, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(D3DXERR_INVALIDDATA, Load(writeBytes("huge.png", claim), &texture));
  EXPECT_EQ(0, device_->CreatedTextures());
}

}  // namespace
