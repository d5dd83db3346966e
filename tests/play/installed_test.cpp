// The game as a package installs it: the data read-only under the share
// folder, the player's files in the player's home.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "flow_support.h"
#include "play_harness.h"
#include "platform/window.h"
#include "render/mesh_registry.h"
#include "textfile/config_node.h"
#include "ui/widget_list.h"

using namespace play;

namespace {
// Every file and folder below `folder`, one a line, sorted; with `digests`,
// each file's line also holds a digest of its bytes.
std::string Listing(const std::string& folder, bool digests) {
  std::set<std::string> lines;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    std::string line = std::filesystem::relative(entry.path(), folder).string();
    if (digests && entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      line += " " + std::to_string(std::hash<std::string>{}(std::string(std::istreambuf_iterator<char>(in), {})));
    }
    lines.insert(line + "\n");
  }
  std::string text;
  for (const std::string& line : lines) text += line;
  return text;
}

// Installed with DESTDIR into a root of its own, then made read-only even
// for root (the immutable flag), with HOME in the same root.
class InstalledGame : public ::testing::Test {
 protected:
  const std::string root = ::testing::TempDir() + "kestrin_installed_" + std::to_string(getpid());
  const std::string home = root + "/home";
  const std::string playerFolder = home + "/.local/share/kestrin";
  std::string installedFiles;
  std::string previousHome = std::getenv("HOME") ? std::getenv("HOME") : "";

  void SetUp() override {
    std::string install = "rm -rf '" + root + "' && mkdir -p '" + home + "' && DESTDIR='" + root +
                          "' cmake --install '" KESTRIN_BINARY_DIR "' --prefix /usr > /dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);
    Protect(root + "/usr");
    installedFiles = Listing(root + "/usr", true);
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
  }

  void TearDown() override {
    setenv("HOME", previousHome.c_str(), 1);
    std::system(("chattr -R -i '" + root + "' 2> /dev/null; chmod -R u+w '" + root + "'; rm -rf '" + root + "'").c_str());
  }

  static void Protect(const std::string& path) {
    std::system(("chmod -R a-w '" + path + "' && (test $(id -u) != 0 || chattr -R +i '" + path + "')").c_str());
  }

  // Names a first profile and waits for the main menu's greeting.
  std::string NameAPlayer() {
    WaitMilliseconds(1000);
    Type("Busy Bee");
    PressKey(VK_RETURN);
    return WaitForMainMenu() ? FindLabel("lbl").text : "no main menu";
  }
};
}  // namespace

TEST_F(InstalledGame, AFirstRunKeepsTheProfileAndSettingsInTheHomeAndChangesNoInstalledFile) {
  std::string greeting;
  bool modelsRead = false;
  RunGame(
      "installed",
      [&] {
        greeting = NameAPlayer();
        modelsRead = Meshes.find("bee").root != nullptr;
        Screenshot("main_menu");
        ClickWidget("exit");
        WaitMilliseconds(1500);
        ClickWidget("back");
        Frames(5);
      },
      {.executableFolder = root + "/usr/games"});
  EXPECT_EQ(greeting, "Hello, ^Busy Bee !");
  EXPECT_TRUE(modelsRead);
  EXPECT_EQ(Listing(home, false),
            ".local\n.local/share\n.local/share/kestrin\n.local/share/kestrin/default.cfg\n"
            ".local/share/kestrin/profile0.s\n.local/share/kestrin/profile1.s\n.local/share/kestrin/profile2.s\n");
  ConfigNode profile, settings;
  ASSERT_TRUE(profile.Load(playerFolder + "/profile0.s"));
  EXPECT_EQ(std::string(profile.Get("name").AsString()), "^Busy_Bee_");
  ASSERT_TRUE(settings.Load(playerFolder + "/default.cfg"));
  EXPECT_EQ(settings.Get("lastprofile").AsInt(), 0);
  EXPECT_EQ(Listing(root + "/usr", true), installedFiles);
}

TEST_F(InstalledGame, AReadOnlyPlayersFolderIsToldAndPlayGoesOnWithoutWritingAnything) {
  ASSERT_EQ(std::system(("mkdir -p '" + playerFolder + "'").c_str()), 0);
  Protect(playerFolder);
  std::string greeting;
  ::testing::internal::CaptureStderr();
  RunGame("installed_read_only", [&] { greeting = NameAPlayer(); }, {.executableFolder = root + "/usr/games"});
  std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("cannot keep your settings and progress in " + playerFolder), std::string::npos) << errors;
  EXPECT_EQ(greeting, "Hello, ^Busy Bee !");
  EXPECT_EQ(Listing(home, false), ".local\n.local/share\n.local/share/kestrin\n");
  EXPECT_EQ(Listing(root + "/usr", true), installedFiles);
}
