#pragma once
// What a device knows of the frame it keeps for KeepFrame: the tag it was
// kept under, where it left the clear's depth, and whether
// the back buffer has been drawn on since the frame's full clear (a kept
// frame is put back only in place of a cleared one, so that nothing drawn
// before it is lost). The GL and the recording devices keep one; the Windows
// device keeps no frame.
#include <cstdint>

#include "platform/d3d9/d3d9.h"

namespace d3d9 {

struct KeptFrameLedger {
  bool kept = false;
  uint64_t tag = 0;
  OpenRects open;
  bool drawnSinceClear = true;
  float clearDepth = 1.0f;  // of the last full clear

  void Cleared(DWORD rectCount, DWORD flags, float z) {
    const DWORD both = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER;
    drawnSinceClear = rectCount != 0 || (flags & both) != both;
    if (!drawnSinceClear) clearDepth = z;
  }
  void Drew() { drawnSinceClear = true; }
  void Kept(uint64_t frameTag, const RECT& whole) {
    kept = true;
    tag = frameTag;
    open.count = 1;
    open.rects[0] = whole;
  }
  bool CanRestore(uint64_t frameTag) const { return kept && tag == frameTag && !drawnSinceClear; }
};

}  // namespace d3d9
