// The installed Windows game keeps the player's files in %APPDATA%\Kestrin,
// whatever letters the path holds, and leaves its own folder as installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/data_folders.h"
#include "platform/files.h"
#include "support/files.h"

TEST(AppData, AnInstalledGameKeepsThePlayersFilesInAppDataWhateverItsName) {
  testfiles::WorkingFolder folder;
  folder.Write("Kestrin/installed", "");
  folder.Write("Kestrin/bin/default.cfg", "options {\n}\n");
  folder.Write("Kestrin/data/profile0.s", "shipped");
  const std::filesystem::path appData = SystemPath(folder.path()) / L"Пользователь 玩家";
  std::filesystem::create_directories(appData);
  const std::wstring previous = _wgetenv(L"APPDATA") ? _wgetenv(L"APPDATA") : L"";
  _wputenv_s(L"APPDATA", appData.c_str());

  SelectDataFolders(folder.path() + "/Kestrin");
  const std::string own = PlayerFile("data\\profile0.s");
  EXPECT_EQ(SystemPath(own), appData / L"Kestrin" / L"profile0.s");
  EXPECT_EQ(SystemPath(PlayerFile("bin\\default.cfg")), appData / L"Kestrin" / L"default.cfg");
  std::vector<unsigned char> bytes;
  EXPECT_TRUE(ReadWholeFile(own, bytes) && std::string(bytes.begin(), bytes.end()) == "shipped");
  EXPECT_TRUE(WriteFileAtomically(own, "played"));
  EXPECT_TRUE(ReadWholeFile(own, bytes) && std::string(bytes.begin(), bytes.end()) == "played");
  EXPECT_EQ(folder.Read("Kestrin/data/profile0.s"), "shipped");

  _wputenv_s(L"APPDATA", previous.c_str());
  SelectDataFolders(folder.path());  // no longer installed
}
