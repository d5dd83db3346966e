#pragma once
// Bitmap fonts: a sheet of glyph pictures and its description file, which
// gives for each of the 256 byte values the glyph's rectangle on the sheet.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct FontSheet {
  std::string imagePath;        // relative to the game folder
  std::string descriptionPath;  // relative to the game folder
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // straight
  std::string description;    // the structured text file
  std::array<std::array<double, 4>, 256> coords{};  // u, v, width, height per byte
};

// The default font (bold white letters, for buttons and the frame counter)
// and the font "light" (regular dark letters, for texts on light panels).
std::vector<FontSheet> BuildFontSheets();
