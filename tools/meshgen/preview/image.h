#pragma once
// RGBA images for the model preview, read and written as PNG.
#include <cstdint>
#include <string>
#include <vector>

struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};

struct Image {
  int width = 0, height = 0;
  std::vector<Colour> pixels;

  Image() = default;
  Image(int w, int h, Colour fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
  Colour& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  const Colour& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// False when the file is missing or not a PNG.
bool LoadPng(const std::string& path, Image& image);
bool SavePng(const std::string& path, const Image& image);
