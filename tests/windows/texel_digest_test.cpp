// The Imaging Component decodes every shipped picture to the texels libpng
// gives on Linux (digests written by kestrin-texel-digests on the host).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/files.h"
#include "windows_checks/texel_digest.h"

TEST(WindowsPng, EveryShippedPictureDecodesToTheTexelsOfLibpng) {
  std::ifstream digests(KESTRIN_BINARY_DIR "/windows/texel_digests.txt");
  ASSERT_TRUE(digests) << "run kestrin-texel-digests on the host first";
  std::string expected;
  int checked = 0;
  while (std::getline(digests, expected)) {
    std::string path = expected.substr(0, expected.find(' '));
    std::vector<unsigned char> bytes;
    ArgbImage image;
    std::string error;
    ASSERT_TRUE(ReadWholeFile(KESTRIN_GAME_DIR "/" + path, bytes)) << path;
    EXPECT_TRUE(DecodePng(bytes, &image, &error)) << path << ": " << error;
    EXPECT_EQ(TexelDigestLine(path, image), expected);
    ++checked;
  }
  EXPECT_GT(checked, 50);
}
