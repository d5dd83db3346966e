// Compares the pictures the Windows build drew through Direct3D 9 with the
// OpenGL build's pictures of the same frames. Beside each Windows picture it
// saves the OpenGL one (NAME.gl.png) and their difference, four times
// brighter (NAME.diff.png). Fails when a pair differs by more than the two
// drivers' own conventions and filtering explain.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/png_image.h"

namespace fs = std::filesystem;

namespace {
// Direct3D 9 puts pixel centres on integer coordinates, OpenGL half a pixel
// further: the same drawing comes out half a pixel right and down. The
// OpenGL picture is moved by that half pixel (each pixel the mean of itself
// and its upper and left neighbours) before comparing; what remains is the
// drivers' own filtering of text and edges: a pixel differs when a channel is
// off by more than kChannelTolerance, and at most kDifferingShare of them may
// (measured: 1.4% on the menus, 2.9% on a round, whose polygon edges are
// multisampled by each driver in its own pattern). The mean difference over
// all channels stays under kMeanTolerance (measured at most 2.5). A missing or
// misplaced widget, a wrong texture or colour exceeds these.
constexpr int kChannelTolerance = 24;
constexpr double kDifferingShare = 0.04;
constexpr double kMeanTolerance = 4.0;

ArgbImage MovedByHalfAPixel(const ArgbImage& image) {
  ArgbImage out = image;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      uint32_t sums[3] = {0, 0, 0};
      for (int dy = -1; dy <= 0; ++dy)
        for (int dx = -1; dx <= 0; ++dx) {
          uint32_t p = image.pixels[size_t(std::max(y + dy, 0)) * image.width + size_t(std::max(x + dx, 0))];
          for (int c = 0; c < 3; ++c) sums[c] += (p >> (8 * c)) & 0xFF;
        }
      out.pixels[size_t(y) * image.width + x] = 0xFF000000 | (sums[2] / 4) << 16 | (sums[1] / 4) << 8 | (sums[0] / 4);
    }
  return out;
}

int ChannelDifference(uint32_t a, uint32_t b, int shift) {
  return std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
}

bool Load(const fs::path& path, ArgbImage* image) {
  std::vector<unsigned char> bytes;
  return ReadWholeFile(path.string(), bytes) && DecodePng(bytes, image);
}

// Returns false when the pair differs too much.
bool ComparePair(const fs::path& gl, const fs::path& windows) {
  ArgbImage a, b;
  if (!Load(gl, &a) || !Load(windows, &b) || a.width != b.width || a.height != b.height) {
    std::printf("%s: cannot compare with %s\n", windows.string().c_str(), gl.string().c_str());
    return false;
  }
  a = MovedByHalfAPixel(a);
  ArgbImage difference = a;
  size_t differing = 0;
  double total = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    int worst = 0;
    uint32_t shown = 0xFF000000;
    for (int shift : {0, 8, 16}) {
      int d = ChannelDifference(a.pixels[i], b.pixels[i], shift);
      worst = std::max(worst, d);
      total += d;
      shown |= uint32_t(std::min(255, d * 4)) << shift;
    }
    if (worst > kChannelTolerance) ++differing;
    difference.pixels[i] = shown;
  }
  fs::path stem = windows;
  stem.replace_extension();
  fs::copy_file(gl, stem.string() + ".gl.png", fs::copy_options::overwrite_existing);
  SavePng(stem.string() + ".diff.png", difference);
  double share = double(differing) / double(a.pixels.size());
  double mean = total / (3.0 * double(a.pixels.size()));
  bool close = share <= kDifferingShare && mean <= kMeanTolerance;
  std::printf("%-40s %5.2f%% of pixels differ, mean difference %.2f: %s\n",
              fs::relative(windows, windows.parent_path().parent_path()).string().c_str(), share * 100, mean,
              close ? "close" : "TOO DIFFERENT");
  return close;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s GL_SCREENS WINDOWS_SCREENS\n", argv[0]);
    return 2;
  }
  fs::path glRoot = argv[1], windowsRoot = argv[2];
  int compared = 0, failed = 0;
  for (const auto& entry : fs::recursive_directory_iterator(windowsRoot)) {
    std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".png" || name.find(".gl.") != std::string::npos ||
        name.find(".diff.") != std::string::npos)
      continue;
    fs::path gl = glRoot / fs::relative(entry.path(), windowsRoot);
    if (!fs::exists(gl)) continue;
    ++compared;
    if (!ComparePair(gl, entry.path())) ++failed;
  }
  std::printf("%d pictures compared, %d too different\n", compared, failed);
  return compared > 0 && failed == 0 ? 0 : 1;
}
