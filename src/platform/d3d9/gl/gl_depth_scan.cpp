#include "platform/d3d9/gl/gl_depth_scan.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/d3d9/gl/gl_api.h"

namespace d3d9 {

OpenRects ScanClearedDepth(int width, int height, bool topRowFirst, float clearDepth) {
  const double clamped = std::clamp(double(clearDepth), 0.0, 1.0);
  const uint32_t cleared = uint32_t(std::lround(clamped * 0xFFFFFF));
  // One step short of the clear still counts: the driver may round it.
  const auto atClear = [&](uint32_t packed) { return (packed >> 8) + 1 >= cleared; };
  // Packed depth and stencil read as stored, one band at a time: a plain
  // copy for the driver, and little memory for the scan.
  const int bandRows = (height + int(OpenRects::Most) - 1) / int(OpenRects::Most);
  std::vector<uint32_t> band(size_t(width) * size_t(std::max(bandRows, 0)));
  OpenRects open;
  // A driver that will not read depth back leaves the whole frame open.
  for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
  }
  for (int first = 0; first < height; first += bandRows) {
    const int rows = std::min(bandRows, height - first);
    glReadPixels(0, topRowFirst ? first : height - first - rows, width, rows, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8,
                 band.data());
    RECT found{width, height, 0, 0};
    for (int r = 0; r < rows; ++r) {
      const uint32_t* row = band.data() + size_t(r) * width;
      const uint32_t* left = std::find_if(row, row + width, atClear);
      if (left == row + width) continue;
      const uint32_t* right =
          std::find_if(std::make_reverse_iterator(row + width), std::make_reverse_iterator(left), atClear).base();
      const int y = topRowFirst ? first + r : first + rows - 1 - r;
      found = RECT{std::min(found.left, int32_t(left - row)), std::min(found.top, int32_t(y)),
                   std::max(found.right, int32_t(right - row)), std::max(found.bottom, int32_t(y + 1))};
    }
    if (found.left < found.right) open.rects[open.count++] = found;
  }
  if (glGetError() != GL_NO_ERROR) {
    open.count = 1;
    open.rects[0] = RECT{0, 0, width, height};
  }
  return open;
}

}  // namespace d3d9
