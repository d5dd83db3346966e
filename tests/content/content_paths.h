#pragma once
// Where the build puts the game folder and the content generators, and a way
// to run a generator into a folder of the test's own.
#include <string>

namespace contenttest {

std::string GameFile(const std::string& relative);
std::string GeneratorPath(const std::string& tool, const std::string& executable);
// A fresh, empty folder under the test temp folder.
std::string FreshFolder(const std::string& name);
// Runs the program with one folder argument; true when it exits with 0.
bool RunInto(const std::string& program, const std::string& folder);
// The whole file, or an empty string when it cannot be read.
std::string FileBytes(const std::string& path);

}  // namespace contenttest
