#pragma once
// The benchmarked scenes as pictures, to show that a change to how they are
// drawn leaves them as they were: each frame halved (2 x 2 pixels averaged,
// so the files stay small) and compared with the one saved before.
#include <string>

#include "platform/png_image.h"

namespace bench {

ArgbImage HalveImage(const ArgbImage& image);

struct PictureDifference {
  int largest = 0;          // largest difference of one colour channel
  double changedShare = 0;  // share of pixels with a channel off by more than a blended edge's level or two
  bool sameSize = false;
};

PictureDifference ComparePictures(const ArgbImage& before, const ArgbImage& after);

// Alike: the same size, and differences no wider than a few edge pixels.
bool PicturesAlike(const PictureDifference& difference);

bool LoadPicture(const std::string& path, ArgbImage* image);

}  // namespace bench
