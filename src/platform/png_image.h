#pragma once
// PNG files to and from 32-bit ARGB pixels (0xAARRGGBB, row 0 at the top).
#include <algorithm>
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

// DecodePng through a system's own decoder, which returns null or why it
// failed: the signature is checked first, and a failure leaves the image empty.
using PngDecoder = const char* (*)(const std::vector<unsigned char>& bytes, ArgbImage* image);
inline bool DecodePngWith(PngDecoder decode, const std::vector<unsigned char>& bytes, ArgbImage* image,
                          std::string* error) {
  *image = ArgbImage{};
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  bool hasSignature = bytes.size() >= 8 && std::equal(kSignature, kSignature + 8, bytes.begin());
  const char* failure = hasSignature ? decode(bytes, image) : "not a PNG file";
  if (!failure) return true;
  *image = ArgbImage{};
  if (error) *error = failure;
  return false;
}

// Whether the image has a size and a pixel for each place: what SavePng writes.
inline bool HasWholePixels(const ArgbImage& image) {
  return image.width > 0 && image.height > 0 && image.pixels.size() == size_t(image.width) * image.height;
}

// Writes an RGBA PNG; the path may use backslashes.
bool SavePng(const std::string& path, const ArgbImage& image);
