#include "scene_pictures.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace bench {
namespace {
constexpr int kEdgeLevels = 8;             // a blended edge a level or two off, averaged with its neighbours
constexpr double kMostChangedShare = 0.002;  // of the half-size picture's pixels

int Channel(uint32_t argb, int shift) { return int((argb >> shift) & 0xFF); }
}  // namespace

ArgbImage HalveImage(const ArgbImage& image) {
  ArgbImage half;
  half.width = image.width / 2;
  half.height = image.height / 2;
  half.pixels.resize(size_t(half.width) * size_t(half.height));
  for (int y = 0; y < half.height; ++y)
    for (int x = 0; x < half.width; ++x) {
      uint32_t averaged = 0xFF000000u;
      for (int shift : {0, 8, 16}) {
        int sum = 0;
        for (int dy = 0; dy < 2; ++dy)
          for (int dx = 0; dx < 2; ++dx) sum += Channel(image.pixels[size_t(2 * y + dy) * image.width + 2 * x + dx], shift);
        averaged |= uint32_t((sum + 2) / 4) << shift;
      }
      half.pixels[size_t(y) * half.width + x] = averaged;
    }
  return half;
}

PictureDifference ComparePictures(const ArgbImage& before, const ArgbImage& after) {
  PictureDifference difference;
  difference.sameSize = before.width == after.width && before.height == after.height && !before.pixels.empty();
  if (!difference.sameSize) return difference;
  size_t changed = 0;
  for (size_t i = 0; i < before.pixels.size(); ++i) {
    int largest = 0;
    for (int shift : {0, 8, 16})
      largest = std::max(largest, std::abs(Channel(before.pixels[i], shift) - Channel(after.pixels[i], shift)));
    difference.largest = std::max(difference.largest, largest);
    changed += largest > kEdgeLevels;
  }
  difference.changedShare = double(changed) / double(before.pixels.size());
  return difference;
}

bool PicturesAlike(const PictureDifference& difference) {
  return difference.sameSize && difference.changedShare <= kMostChangedShare;
}

bool LoadPicture(const std::string& path, ArgbImage* image) {
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return !bytes.empty() && DecodePng(bytes, image);
}

}  // namespace bench
