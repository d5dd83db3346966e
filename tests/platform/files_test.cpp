#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/files.h"
#include "platform/random.h"
#include "platform/test_hooks.h"
#include "platform/time.h"

namespace {
std::string TempFolder(const char* name) {
  std::string folder = ::testing::TempDir() + "kestrin_files_" + name + "_" + std::to_string(getpid());
  std::filesystem::create_directory(folder);
  return folder;
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

int failStep = -1;
bool FailAt(int step) { return step != failStep; }
}  // namespace

TEST(FilesTest, BackslashPathsOpenAndListingsAreSortedAndFiltered) {
  std::string folder = TempFolder("list");
  std::filesystem::create_directories(folder + "/maps/sub.map");
  for (const char* name : {"b.map", "a.map", "c.txt", "10.map"}) std::ofstream(folder + "/maps/" + name) << "x";
  FILE* file = OpenFile(folder + "\\maps\\a.map", "rt");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  auto names = FindFiles(folder + "\\maps\\*.map");
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "10.map");
  EXPECT_EQ(names[1], "a.map");
  EXPECT_EQ(names[2], "b.map");
  EXPECT_TRUE(FindFiles(folder + "/missing/*.map").empty());
}

TEST(FilesTest, AtomicWriteReplacesWholeOrLeavesTheOldFile) {
  std::string path = TempFolder("atomic") + "/save.s";
  ASSERT_TRUE(WriteFileAtomically(path, "old contents\n"));
  for (int step = 0; step <= 4; ++step) {
    failStep = step;
    SetWriteFaultHook(FailAt);
    EXPECT_FALSE(WriteFileAtomically(path, "new contents that never land\n")) << "step " << step;
    SetWriteFaultHook(nullptr);
    EXPECT_EQ(Contents(path), "old contents\n") << "step " << step;
    EXPECT_FALSE(FileExists(path + ".tmp")) << "step " << step;
  }
  ASSERT_TRUE(WriteFileAtomically(path, "new\n"));
  EXPECT_EQ(Contents(path), "new\n");
}

TEST(FilesTest, AtomicWriteIntoAMissingFolderFails) {
  EXPECT_FALSE(WriteFileAtomically(TempFolder("nofolder") + "/absent/save.s", "x"));
}
