#include "platform/data_folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "support/files.h"

namespace {
std::string Text(const std::string& path) {
  std::vector<unsigned char> bytes;
  ReadWholeFile(path, bytes);
  return std::string(bytes.begin(), bytes.end());
}

// The player's folder of an installed game (<root>/bin/kestrin, the data
// beside it, HOME=<root>/home), in the state `name` gives it.
struct PlayerFolderCase {
  const char* name;
  const char* folder;  // below the root, "" for none
  const char* before;  // what the game reads first
  const char* onDisk;  // the player's file after a save
};

class PlayerFolders : public ::testing::TestWithParam<PlayerFolderCase> {
 protected:
  void SetUp() override {
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    previousHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    shipped = InstalledDataFolder(root.File("bin")) + "/bin/default.cfg";
    std::filesystem::create_directories(std::filesystem::path(shipped).parent_path());
    std::ofstream(shipped) << "shipped";
    setenv("HOME", root.File("home").c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    std::string name = GetParam().name;
    if (name == "XdgDataHome") setenv("XDG_DATA_HOME", root.File("data").c_str(), 1);
    if (name == "NoHome") unsetenv("HOME");
    if (name == "CannotBeMade") {
      ASSERT_TRUE(testfiles::WriteProtect(root.Write("home/.local/share", "")));
    }
    if (name == "ReadOnly" || name == "WriteProtectedFile") {
      std::string own = root.Write("home/.local/share/kestrin/default.cfg", "own");
      ASSERT_TRUE(testfiles::WriteProtect(name == "ReadOnly" ? root.File("home/.local/share/kestrin") : own));
    }
  }
  void TearDown() override {
    ASSERT_EQ(chdir(previous), 0);
    SelectDataFolders(previous);
    setenv("HOME", previousHome.c_str(), 1);
  }

  testfiles::TempDir root;
  char previous[4096];
  std::string shipped, previousHome;
};

TEST_P(PlayerFolders, ChangesAreKeptOnDiskOnlyInThePlayersFolderOrElseInMemoryWithAMessage) {
  const PlayerFolderCase& c = GetParam();
  ::testing::internal::CaptureStderr();
  SelectDataFolders(root.File("bin"));
  std::string file = PlayerFile("bin\\default.cfg");
  EXPECT_EQ(Text(file), c.before);
  EXPECT_TRUE(WriteFileAtomically(file, "changed"));
  EXPECT_EQ(Text(file), "changed");
  std::string errors = ::testing::internal::GetCapturedStderr();
  bool kept = std::string(c.onDisk) == "changed";
  EXPECT_EQ(errors.find("cannot keep your settings and progress") == std::string::npos, kept) << errors;
  if (c.folder[0]) {
    EXPECT_EQ(root.Read(std::string(c.folder) + "/default.cfg"), c.onDisk);
  }
  EXPECT_EQ(Text(shipped), "shipped");
}

INSTANTIATE_TEST_SUITE_P(
    States, PlayerFolders,
    ::testing::Values(PlayerFolderCase{"Missing", "home/.local/share/kestrin", "shipped", "changed"},
                      PlayerFolderCase{"XdgDataHome", "data/kestrin", "shipped", "changed"},
                      PlayerFolderCase{"ReadOnly", "home/.local/share/kestrin", "own", "own"},
                      PlayerFolderCase{"WriteProtectedFile", "home/.local/share/kestrin", "own", "own"},
                      PlayerFolderCase{"CannotBeMade", "home/.local/share/kestrin", "shipped", ""},
                      PlayerFolderCase{"NoHome", "", "shipped", ""}),
    [](const auto& info) { return std::string(info.param.name); });
}  // namespace
