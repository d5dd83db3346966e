// PNG decoding in the browser build through stb_image, to the same texels
// libpng gives elsewhere: 16-bit channels cut to their high byte as
// png_set_strip_16 does, no gamma applied.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS kMaxPngSide
#include "platform/png_image.h"

#include <stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <algorithm>
#include <cstring>

#include "platform/files.h"

namespace {

uint32_t BigEndianWord(const unsigned char* bytes) {
  return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

// An alpha channel in the colour type, or a transparency chunk before the
// image data, as libpng reports it.
bool FileHasAlpha(const std::vector<unsigned char>& bytes) {
  if (bytes.size() < 26) return false;
  if (bytes[25] & 4) return true;
  for (uint64_t at = 8; at + 8 <= bytes.size();) {
    const unsigned char* chunk = bytes.data() + at;
    if (std::memcmp(chunk + 4, "tRNS", 4) == 0) return true;
    if (std::memcmp(chunk + 4, "IDAT", 4) == 0) return false;
    at += 12 + uint64_t(BigEndianWord(chunk));
  }
  return false;
}

const char* Decode(const std::vector<unsigned char>& bytes, ArgbImage* image) {
  if (bytes.size() > size_t(INT32_MAX)) return "file is too large";
  int width = 0, height = 0, channels = 0;
  const int size = int(bytes.size());
  if (!stbi_info_from_memory(bytes.data(), size, &width, &height, &channels)) return stbi_failure_reason();
  if (width > kMaxPngSide || height > kMaxPngSide || int64_t(width) * height > kMaxPngPixels)
    return "image is too large";
  stbi_uc* rgba = stbi_load_from_memory(bytes.data(), size, &width, &height, &channels, 4);
  if (!rgba) return stbi_failure_reason();
  image->width = width;
  image->height = height;
  image->pixels.resize(size_t(width) * height);
  for (size_t i = 0; i < image->pixels.size(); ++i) {
    const stbi_uc* p = rgba + 4 * i;
    image->pixels[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  }
  stbi_image_free(rgba);
  image->hasAlpha = FileHasAlpha(bytes);
  return nullptr;
}

}  // namespace

bool DecodePng(const std::vector<unsigned char>& bytes, ArgbImage* image, std::string* error) {
  return DecodePngWith(Decode, bytes, image, error);
}

bool SavePng(const std::string& path, const ArgbImage& image) {
  if (!HasWholePixels(image)) return false;
  std::vector<unsigned char> rgba(image.pixels.size() * 4);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    uint32_t p = image.pixels[i];
    rgba[4 * i] = (p >> 16) & 0xFF;
    rgba[4 * i + 1] = (p >> 8) & 0xFF;
    rgba[4 * i + 2] = p & 0xFF;
    rgba[4 * i + 3] = p >> 24;
  }
  FILE* file = OpenFile(path, "wb");
  if (!file) return false;
  auto write = [](void* to, void* bytes, int size) { std::fwrite(bytes, 1, size_t(size), static_cast<FILE*>(to)); };
  bool written = stbi_write_png_to_func(write, file, image.width, image.height, 4, rgba.data(), image.width * 4) != 0;
  return std::fclose(file) == 0 && written;
}
