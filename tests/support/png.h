#pragma once
// Test images, written by the game's own PNG writer.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/png_image.h"

namespace support {

// `argb` holds width x height pixels 0xAARRGGBB, row 0 at the top.
inline void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb) {
  SavePng(path, ArgbImage{width, height, argb, true});
}

inline void WriteSolidPng(const std::string& path, int width, int height, uint32_t argb) {
  WritePng(path, width, height, std::vector<uint32_t>(size_t(width) * height, argb));
}

}  // namespace support
