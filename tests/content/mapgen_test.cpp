#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "map_files.h"
#include "textfile/test_files.h"

// Running the generator again gives the very same bytes.
TEST(MapGenerator, OutputIsDeterministic) {
  testfiles::TempDir first, second;
  const std::string tool = std::string(KESTRIN_BINARY_DIR) + "/bin/kestrin-mapgen";
  ASSERT_EQ(std::system((tool + " " + first.path()).c_str()), 0);
  ASSERT_EQ(std::system((tool + " " + second.path()).c_str()), 0);
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(first.path() + "/maps")) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = std::filesystem::relative(entry.path(), first.path()).string();
    EXPECT_EQ(first.Read(relative), second.Read(relative)) << relative;
    std::vector<unsigned char> shipped;
    ASSERT_TRUE(ReadWholeFile(std::string(KESTRIN_GAME_DIR) + "/" + relative, shipped)) << relative;
    EXPECT_EQ(first.Read(relative), std::string(shipped.begin(), shipped.end())) << relative;
    ++files;
  }
  EXPECT_EQ(files, 20);
}

namespace {
// Standard output of a command, and its exit status.
std::string runTool(const std::string& command, int& status) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
  status = pclose(pipe);
  return output;
}
}  // namespace

TEST(MapInfo, PrintsEveryCellWithItsTrigger) {
  const std::string tool = std::string(KESTRIN_BINARY_DIR) + "/bin/kestrin-mapinfo ";
  const std::string training = std::string(KESTRIN_GAME_DIR) + "/maps/" + mapfiles::mapNames().at(0);
  int status = -1;
  const std::string text = runTool(tool + training, status);
  EXPECT_EQ(status, 0);
  int lines = 0;
  for (char c : text) lines += c == '\n';
  EXPECT_EQ(lines, 6 + 410);
  EXPECT_NE(text.find("cells 410  rows 20  even rows 21  odd rows 20"), std::string::npos);
  EXPECT_NE(text.find("\n68 3 6 "), std::string::npos);
  EXPECT_NE(text.find("| active arrow briefing link value"), std::string::npos);

  testfiles::TempDir dir;
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(training, bytes));
  const std::string cut = dir.Write("cut.map", std::string(bytes.begin(), bytes.begin() + 1000));
  runTool(tool + cut + " 2>/dev/null", status);
  EXPECT_NE(status, 0);
}
