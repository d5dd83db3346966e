#pragma once
// Files of the game folder the build generates.
#include <string>

namespace contenttest {

std::string GameFile(const std::string& relative);
// The whole file, or an empty string when it cannot be read.
std::string FileBytes(const std::string& path);

}  // namespace contenttest
