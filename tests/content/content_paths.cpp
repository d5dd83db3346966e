#include "content_paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace contenttest {

std::string GameFile(const std::string& relative) { return std::string(KESTRIN_GAME_DIR) + "/" + relative; }

std::string GeneratorPath(const std::string& tool, const std::string& executable) {
  return std::string(KESTRIN_BINARY_DIR) + "/tools/" + tool + "/" + executable;
}

std::string FreshFolder(const std::string& name) {
  namespace fs = std::filesystem;
  fs::path folder = fs::path(::testing::TempDir()) / ("kestrin_" + name + "_" + std::to_string(getpid()));
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder, error);
  return folder.string();
}

bool RunInto(const std::string& program, const std::string& folder) {
  std::string command = "'" + program + "' '" + folder + "' > /dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace contenttest
