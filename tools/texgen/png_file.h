#pragma once
// Writing straight (not premultiplied) 8-bit RGBA images as PNG files.
#include <cstdint>
#include <string>
#include <vector>

// Same pixels give the same bytes: no time stamp or other varying chunk.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);
