#include "image.h"

#include <png.h>

#include <cstdio>
#include <memory>

bool LoadPng(const std::string& path, Image& image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
  png.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> bytes(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  image = Image(static_cast<int>(png.width), static_cast<int>(png.height), {});
  for (size_t i = 0; i < image.pixels.size(); ++i)
    image.pixels[i] = {bytes[4 * i] / 255.0f, bytes[4 * i + 1] / 255.0f, bytes[4 * i + 2] / 255.0f,
                       bytes[4 * i + 3] / 255.0f};
  return true;
}

bool SavePng(const std::string& path, const Image& image) {
  std::vector<uint8_t> bytes(image.pixels.size() * 4);
  auto quantise = [](float v) { return static_cast<uint8_t>(v <= 0 ? 0 : (v >= 1 ? 255 : v * 255 + 0.5f)); };
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const Colour& c = image.pixels[i];
    bytes[4 * i] = quantise(c.r);
    bytes[4 * i + 1] = quantise(c.g);
    bytes[4 * i + 2] = quantise(c.b);
    bytes[4 * i + 3] = 255;
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGBA;
  return png_image_write_to_file(&png, path.c_str(), 0, bytes.data(), 0, nullptr) != 0;
}
