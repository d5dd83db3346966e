#pragma once
// One line per decoded picture: "path width height alpha digest", the digest
// an FNV-1a hash of the 0xAARRGGBB texels. The Windows build's decoder must
// give the same lines as libpng's.
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/png_image.h"

inline std::string TexelDigestLine(const std::string& path, const ArgbImage& image) {
  uint64_t hash = 1469598103934665603ull;
  for (uint32_t texel : image.pixels)
    for (int shift = 0; shift < 32; shift += 8) hash = (hash ^ ((texel >> shift) & 0xFF)) * 1099511628211ull;
  char line[64];
  std::snprintf(line, sizeof line, " %d %d %d %016llx", image.width, image.height, image.hasAlpha ? 1 : 0,
                static_cast<unsigned long long>(hash));
  return path + line;
}
