#pragma once
// PNG files read and decoded on a thread of their own while the caller does
// other work (start-up makes the window, the device and the loading screen
// meanwhile). Each file's mip chain is made there too when both its sides
// are powers of two. The files must be asked for in the order given; one
// asked for out of turn drops those before it.
#include <string>
#include <vector>

#include "platform/png_image.h"

struct DecodedAhead {
  ArgbImage image;
  // Each level half the one before (a side of 1 stays 1), as the linear
  // filter makes it, down to 1 x 1; empty unless both sides are powers of two.
  std::vector<ArgbImage> mips;
  int opaqueInset = 0;  // OpaqueInsetTexels(image), worked out on the thread
};

// Starts the thread; a second call while it runs does nothing. In a build
// without threads the files are read when they are asked for.
void DecodeAhead(std::vector<std::string> paths);
// Waits for `path` if it is on the list, and moves it out; false when it is
// not (or no longer) there, or could not be read or decoded.
bool TakeDecodedAhead(const std::string& path, DecodedAhead* out);
// Ends the thread and drops whatever was not taken.
void StopDecodingAhead();

// The smallest inset from every side, in texels, that leaves out each texel
// that is not wholly opaque.
int OpaqueInsetTexels(const ArgbImage& image);

// Halves `source` in each side (a side of 1 stays 1) as the linear filter
// does.
ArgbImage HalveImage(const ArgbImage& source);
