// The texture generator's output in the game folder: every texture the game
// registers, the built-in images, both fonts and the medal particle set; and
// that running the generator again gives the same bytes.
#include <gtest/gtest.h>
#include <png.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "textfile/config_node.h"
#include "ui/interface_textures.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> TextureNames() {
  std::vector<std::string> names;
  std::set<std::string> seen;
  // The menu picture is registered on its own before the lists.
  std::vector<const char*> lists = {"menu"};
  lists.insert(lists.end(), InterfaceTextureLists.begin(), InterfaceTextureLists.end());
  for (const char* list : lists) {
    std::string name;
    for (const char* p = list;; ++p) {
      if (*p == ',' || *p == ' ' || *p == '\0') {
        if (!name.empty() && seen.insert(name).second) names.push_back(name);
        name.clear();
        if (*p == '\0') break;
      } else {
        name += *p;
      }
    }
  }
  return names;
}

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;

  const uint8_t* At(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
};

bool Decode(const fs::path& path, Image& image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.string().c_str())) return false;
  png.format = PNG_FORMAT_RGBA;
  image.width = int(png.width);
  image.height = int(png.height);
  image.rgba.resize(PNG_IMAGE_SIZE(png));
  bool ok = png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr) != 0;
  png_image_free(&png);
  return ok;
}

bool PowerOfTwo(int value) { return value > 0 && (value & (value - 1)) == 0; }

std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

// The build puts the generator at a fixed place and makes this test depend on
// it and on its output in the game folder.
bool RunGenerator(const fs::path& folder) {
  fs::path tool = fs::path(KESTRIN_BINARY_DIR) / "tools" / "texgen" / "texgen";
  if (!fs::exists(tool)) return false;
  std::string command = Quote(tool) + " " + Quote(folder) + " > /dev/null";
  return std::system(command.c_str()) == 0;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// CIE lightness of an sRGB colour.
double Lightness(const uint8_t* rgb) {
  auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  double y = 0.2126 * linear(rgb[0] / 255.0) + 0.7152 * linear(rgb[1] / 255.0) + 0.0722 * linear(rgb[2] / 255.0);
  return 116.0 * std::cbrt(y) - 16.0;
}

class TextureContent : public ::testing::Test {
 protected:
  static Image Load(const std::string& relative) {
    Image image;
    EXPECT_TRUE(Decode(folder_ / relative, image)) << relative;
    return image;
  }

  static inline const fs::path folder_ = KESTRIN_GAME_DIR;
};

TEST_F(TextureContent, EveryRegisteredTextureIsAPowerOfTwoPng) {
  std::vector<std::string> names = TextureNames();
  EXPECT_EQ(names.size(), 130u);  // the 129 of the loading lists and "menu"
  for (const std::string& name : names) {
    Image image = Load("textures/" + name + ".png");
    EXPECT_TRUE(PowerOfTwo(image.width) && PowerOfTwo(image.height))
        << name << " is " << image.width << " x " << image.height;
  }
}

TEST_F(TextureContent, BuiltInImagesExistAndTheErrorImageStandsOut) {
  Image black = Load("bin/black.png");
  ASSERT_GT(black.width, 0);
  EXPECT_TRUE(PowerOfTwo(black.width) && PowerOfTwo(black.height));
  for (size_t i = 0; i < black.rgba.size(); i += 4) {
    ASSERT_EQ(black.rgba[i] | black.rgba[i + 1] | black.rgba[i + 2], 0);
    ASSERT_EQ(black.rgba[i + 3], 255);
  }
  Image error = Load("bin/error.png");
  ASSERT_GT(error.width, 0);
  EXPECT_TRUE(PowerOfTwo(error.width) && PowerOfTwo(error.height));
  std::set<uint32_t> colours;
  for (size_t i = 0; i < error.rgba.size(); i += 4) {
    colours.insert(uint32_t(error.rgba[i]) << 16 | uint32_t(error.rgba[i + 1]) << 8 | error.rgba[i + 2]);
  }
  EXPECT_GE(colours.size(), 2u);
}

void CheckFont(const fs::path& folder, const std::string& description) {
  SCOPED_TRACE(description);
  ConfigNode node;
  ASSERT_TRUE(node.Load((folder / description).string()));
  ASSERT_EQ(node.Get("texture").type, ValueType::String);
  std::string texture = node.Get("texture").AsString();
  for (char& c : texture) {
    if (c == '\\') c = '/';
  }
  Image sheet;
  ASSERT_TRUE(Decode(folder / texture, sheet)) << texture;
  ASSERT_EQ(node.Get("sizex").type, ValueType::Int);
  ASSERT_EQ(node.Get("sizey").type, ValueType::Int);
  EXPECT_EQ(node.Get("sizex").AsInt(), sheet.width);
  EXPECT_EQ(node.Get("sizey").AsInt(), sheet.height);
  EXPECT_TRUE(PowerOfTwo(sheet.width) && PowerOfTwo(sheet.height));

  ASSERT_EQ(node.TableCount(), 1u);
  const ConfigTable& table = node.tables[0];
  EXPECT_STREQ(table.name, "coords");
  ASSERT_EQ(table.rows, 256);
  ASSERT_EQ(table.columns, 4);
  struct Rect {
    double u, v, w, h;
  };
  std::vector<Rect> glyphs;
  double lineHeight = -1;
  for (int row = 0; row < 256; ++row) {
    Rect r{};
    double* cells[4] = {&r.u, &r.v, &r.w, &r.h};
    for (int column = 0; column < 4; ++column) {
      const ConfigValue& cell = node.GetCell("coords", row, column);
      ASSERT_EQ(cell.type, ValueType::Float) << "row " << row;
      *cells[column] = cell.AsFloat();
    }
    if (row < 32 || row == 127) {
      EXPECT_TRUE(r.u == 0 && r.v == 0 && r.w == 0 && r.h == 0) << "control code " << row;
      continue;
    }
    if (r.w == 0 && r.h == 0) continue;
    EXPECT_GE(r.u, 0.0);
    EXPECT_GE(r.v, 0.0);
    EXPECT_GT(r.w, 0.0);
    EXPECT_LE(r.u + r.w, 1.0 + 1e-6) << "row " << row;
    EXPECT_LE(r.v + r.h, 1.0 + 1e-6) << "row " << row;
    // One line height for all glyphs keeps the baseline straight.
    if (lineHeight < 0) lineHeight = r.h;
    EXPECT_NEAR(r.h, lineHeight, 1e-6) << "row " << row;
    glyphs.push_back(r);
  }
  // Printable ASCII and the Cyrillic alphabet of Windows-1251 all have pictures.
  for (int row : {int('A'), int('z'), int('0'), int('!'), 0xA8, 0xB8, 0xC0, 0xDF, 0xE0, 0xFF}) {
    const ConfigValue& width = node.GetCell("coords", row, 2);
    EXPECT_GT(width.AsFloat(), 0.0f) << "row " << row;
    int x = int(node.GetCell("coords", row, 0).AsFloat() * sheet.width);
    int y = int(node.GetCell("coords", row, 1).AsFloat() * sheet.height);
    int w = int(width.AsFloat() * sheet.width), h = int(node.GetCell("coords", row, 3).AsFloat() * sheet.height);
    int inked = 0;
    for (int py = y; py < y + h && py < sheet.height; ++py) {
      for (int px = x; px < x + w && px < sheet.width; ++px) inked += sheet.At(px, py)[3] > 128;
    }
    EXPECT_GT(inked, 20) << "row " << row << " has no picture";
  }
  for (size_t a = 0; a < glyphs.size(); ++a) {
    for (size_t b = a + 1; b < glyphs.size(); ++b) {
      const Rect& p = glyphs[a];
      const Rect& q = glyphs[b];
      bool apart = p.u + p.w <= q.u + 1e-6 || q.u + q.w <= p.u + 1e-6 || p.v + p.h <= q.v + 1e-6 ||
                   q.v + q.h <= p.v + 1e-6;
      ASSERT_TRUE(apart) << "glyph rectangles overlap";
    }
  }
}

TEST_F(TextureContent, FontFilesDescribeEveryByteInsideTheirSheets) {
  CheckFont(folder_, "bin/defaultfont.s");
  CheckFont(folder_, "data/lightfont.s");
}

}  // namespace
