#include "windows_icon.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "app_icon.h"

namespace {
void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}
}  // namespace

bool WriteWindowsIcon(const std::filesystem::path& iconFolder, const std::filesystem::path& icoPath,
                      const std::vector<int>& sizes) {
  std::vector<std::string> images;
  for (int size : sizes) {
    std::ifstream in(iconFolder / AppIconJob(size).path, std::ios::binary);
    if (!in || size > 256) return false;
    images.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string ico;
  PutLittleEndian(ico, 0, 2);  // reserved
  PutLittleEndian(ico, 1, 2);  // an icon, not a cursor
  PutLittleEndian(ico, uint32_t(images.size()), 2);
  uint32_t offset = 6 + 16 * uint32_t(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const uint32_t side = sizes[i] == 256 ? 0 : uint32_t(sizes[i]);  // 0 stands for 256
    PutLittleEndian(ico, side, 1);
    PutLittleEndian(ico, side, 1);
    PutLittleEndian(ico, 0, 2);   // no palette, reserved
    PutLittleEndian(ico, 1, 2);   // planes
    PutLittleEndian(ico, 32, 2);  // bits per pixel
    PutLittleEndian(ico, uint32_t(images[i].size()), 4);
    PutLittleEndian(ico, offset, 4);
    offset += uint32_t(images[i].size());
  }
  for (const std::string& image : images) ico += image;
  std::error_code error;
  std::filesystem::create_directories(icoPath.parent_path(), error);
  std::ofstream out(icoPath, std::ios::binary);
  return bool(out << ico);
}
