#include "content_paths.h"

#include <fstream>
#include <sstream>

namespace contenttest {

std::string GameFile(const std::string& relative) { return std::string(KESTRIN_GAME_DIR) + "/" + relative; }

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace contenttest
