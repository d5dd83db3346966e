#pragma once
// A review picture of every generated image, labelled, over a checker board
// that shows transparency. Not part of the game.
#include <cstdint>
#include <string>
#include <vector>

struct SheetEntry {
  std::string label;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // straight
};

bool WriteContactSheet(const std::string& path, const std::vector<SheetEntry>& entries);

// A patch of board as the round's camera shows it (cells about as large as at
// 800 x 600), to judge the tiles together.
bool WriteBoardPreview(const std::string& path, const std::vector<SheetEntry>& entries);
