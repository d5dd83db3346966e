#pragma once
// PNG files to and from 32-bit ARGB pixels (0xAARRGGBB, row 0 at the top).
#include <cstdint>
#include <string>
#include <vector>

struct ArgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  bool hasAlpha = false;  // the file had an alpha channel or transparency
};

// Largest image accepted, per side and in total; bigger files are refused
// rather than allocated.
constexpr int kMaxPngSide = 8192;
constexpr int64_t kMaxPngPixels = int64_t(16) << 20;

// Any colour type and bit depth, interlaced or not, transparency included.
// False (and `error`, when given, says why) for a corrupt, truncated or
// oversized file.
bool DecodePng(const std::vector<unsigned char>& bytes, ArgbImage* image, std::string* error = nullptr);

// Writes an RGBA PNG; the path may use backslashes.
bool SavePng(const std::string& path, const ArgbImage& image);
