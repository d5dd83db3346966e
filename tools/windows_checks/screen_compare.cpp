// Compares the pictures the Windows build drew through Direct3D 9 with the
// OpenGL build's pictures of the same frames. Beside each Windows picture it
// saves the OpenGL one (NAME.gl.png) and their difference, four times
// brighter (NAME.diff.png). Fails when a pair differs by more than the two
// rasterisers' own differences (edges and filtering) explain.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "d3dutil/png_image.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {
// A pixel differs when a channel is off by more than this; at most this
// share of pixels may differ (polygon edges, texture filtering, blending
// precision differ between the two drivers).
constexpr int kChannelTolerance = 24;
constexpr double kDifferingShare = 0.02;

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
  bool close = share <= kDifferingShare;
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
