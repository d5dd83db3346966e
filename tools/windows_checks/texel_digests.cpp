// kestrin-texel-digests GAME_DIR: the digest line of every PNG the game
// ships, decoded by libpng, sorted by path.
#include <algorithm>
#include <filesystem>
#include <vector>

#include "platform/files.h"
#include "texel_digest.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s GAME_DIR\n", argv[0]);
    return 2;
  }
  std::vector<std::string> lines;
  for (const auto& entry : fs::recursive_directory_iterator(argv[1])) {
    if (entry.path().extension() != ".png") continue;
    std::vector<unsigned char> bytes;
    ArgbImage image;
    if (!ReadWholeFile(entry.path().string(), bytes) || !DecodePng(bytes, &image)) return 1;
    lines.push_back(TexelDigestLine(fs::relative(entry.path(), argv[1]).generic_string(), image));
  }
  std::sort(lines.begin(), lines.end());
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return lines.empty() ? 1 : 0;
}
