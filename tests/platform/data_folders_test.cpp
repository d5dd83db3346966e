#include "platform/data_folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/files.h"
#include "textfile/test_files.h"

namespace {
std::string Text(const std::string& path) {
  std::vector<unsigned char> bytes;
  ReadWholeFile(path, bytes);
  return std::string(bytes.begin(), bytes.end());
}

// An installed game in a temporary root: <root>/bin/ and the data folder
// beside it with the shipped settings, and a home.
struct PlayerFolderCase {
  const char* name;
  std::function<void(testfiles::TempDir&)> prepare;  // the home and the environment
  const char* playerFolder;                          // relative to the root; "" for none
  const char* before;                                // what the game reads first
  const char* onDisk;                                // the player's file on disk after a save
};

class PlayerFolders : public ::testing::TestWithParam<PlayerFolderCase> {
 protected:
  void SetUp() override {
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    if (const char* home = std::getenv("HOME")) previousHome = home;
    root.Write("bin/kestrin", "");
    shipped = InstalledDataFolder(root.File("bin")) + "/bin/default.cfg";
    std::filesystem::create_directories(std::filesystem::path(shipped).parent_path());
    std::ofstream(shipped) << "shipped";
    setenv("HOME", root.File("home").c_str(), 1);
    unsetenv("XDG_DATA_HOME");
  }
  void TearDown() override {
    ASSERT_EQ(chdir(previous), 0);
    SelectDataFolders(previous);
    setenv("HOME", previousHome.c_str(), 1);
  }

  testfiles::TempDir root;
  char previous[4096];
  std::string previousHome;
  std::string shipped;
};

TEST_P(PlayerFolders, TheGameReadsTheRightFileAndKeepsItsChangesOnlyWhereItMay) {
  const PlayerFolderCase& c = GetParam();
  c.prepare(root);
  ::testing::internal::CaptureStderr();
  SelectDataFolders(root.File("bin"));
  std::string file = PlayerFile("bin\\default.cfg");
  std::string before = Text(file);
  bool saved = WriteFileAtomically(file, "changed");
  std::string after = Text(file);
  std::string errors = ::testing::internal::GetCapturedStderr();

  // Kept on disk, or in memory for this run with the reason told.
  EXPECT_EQ(before, c.before);
  EXPECT_TRUE(saved);
  EXPECT_EQ(after, "changed");
  bool kept = std::string(c.onDisk) == "changed";
  EXPECT_EQ(errors.find("cannot keep your settings and progress") == std::string::npos, kept) << errors;
  if (c.playerFolder[0]) {
    EXPECT_EQ(file, root.File(c.playerFolder) + "/default.cfg");
    EXPECT_EQ(root.Read(std::string(c.playerFolder) + "/default.cfg"), c.onDisk);
  }
  std::ifstream installed(shipped);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(installed), {}), "shipped");
}

void Protect(const std::string& path) { ASSERT_TRUE(testfiles::WriteProtect(path)); }

INSTANTIATE_TEST_SUITE_P(
    States, PlayerFolders,
    ::testing::Values(
        PlayerFolderCase{"Missing", [](testfiles::TempDir&) {}, "home/.local/share/kestrin", "shipped", "changed"},
        PlayerFolderCase{"Empty",
                         [](testfiles::TempDir& r) {
                           std::filesystem::create_directories(r.File("home/.local/share/kestrin"));
                         },
                         "home/.local/share/kestrin", "shipped", "changed"},
        PlayerFolderCase{"FromXdgDataHome",
                         [](testfiles::TempDir& r) { setenv("XDG_DATA_HOME", r.File("data").c_str(), 1); },
                         "data/kestrin", "shipped", "changed"},
        PlayerFolderCase{"RelativeXdgDataHomeIgnored", [](testfiles::TempDir&) { setenv("XDG_DATA_HOME", "d", 1); },
                         "home/.local/share/kestrin", "shipped", "changed"},
        PlayerFolderCase{"ReadOnly",
                         [](testfiles::TempDir& r) {
                           r.Write("home/.local/share/kestrin/default.cfg", "own");
                           Protect(r.File("home/.local/share/kestrin"));
                         },
                         "home/.local/share/kestrin", "own", "own"},
        PlayerFolderCase{"WriteProtectedFile",
                         [](testfiles::TempDir& r) { Protect(r.Write("home/.local/share/kestrin/default.cfg", "own")); },
                         "home/.local/share/kestrin", "own", "own"},
        PlayerFolderCase{"CannotBeMade",
                         [](testfiles::TempDir& r) { Protect(r.Write("home/.local/share", "a file")); },
                         "home/.local/share/kestrin", "shipped", ""},
        PlayerFolderCase{"NoHome", [](testfiles::TempDir&) { unsetenv("HOME"); }, "", "shipped", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlayerFoldersBesideTheGame, RunFromItsOwnFolderTheGameKeepsEverythingThere) {
  testfiles::TempDir folder;
  SelectDataFolders(folder.path());
  EXPECT_EQ(PlayerFile("bin\\default.cfg"), "bin\\default.cfg");
  EXPECT_EQ(PlayerFile("data\\profile2.s"), "data\\profile2.s");
}
}  // namespace
