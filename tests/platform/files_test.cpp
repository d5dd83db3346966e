#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/test_hooks.h"
#include "support/files.h"

namespace {
int failStep = -1;
bool FailAt(int step) { return step != failStep; }
}  // namespace

TEST(FilesTest, BackslashPathsOpenAndListingsAreSortedAndFiltered) {
  testfiles::TempDir dir;
  const std::string folder = dir.path();
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
  testfiles::TempDir dir;
  const std::string path = dir.File("save.s");
  ASSERT_TRUE(WriteFileAtomically(path, "old contents\n"));
  for (int step = 0; step <= 4; ++step) {
    failStep = step;
    SetWriteFaultHook(FailAt);
    EXPECT_FALSE(WriteFileAtomically(path, "new contents that never land\n")) << "step " << step;
    SetWriteFaultHook(nullptr);
    EXPECT_EQ(dir.Read("save.s"), "old contents\n") << "step " << step;
    EXPECT_FALSE(FileExists(path + ".tmp")) << "step " << step;
  }
  ASSERT_TRUE(WriteFileAtomically(path, "new\n"));
  EXPECT_EQ(dir.Read("save.s"), "new\n");
  // What the file already holds is not written again: no step is taken.
  failStep = 0;
  SetWriteFaultHook(FailAt);
  EXPECT_TRUE(WriteFileAtomically(path, "new\n"));
  EXPECT_FALSE(WriteFileAtomically(path, "new\n\n"));
  SetWriteFaultHook(nullptr);
}

TEST(FilesTest, AtomicWriteIntoAMissingFolderFails) {
  testfiles::TempDir dir;
  EXPECT_FALSE(WriteFileAtomically(dir.File("absent/save.s"), "x"));
}
