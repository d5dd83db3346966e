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
  const std::string install = folder.path() + "/Program Files/Kestrin";
  folder.Write("Program Files/Kestrin/installed", "");
  folder.Write("Program Files/Kestrin/bin/default.cfg", "options {\n  res_width 800\n}\n");
  folder.Write("Program Files/Kestrin/data/profile0.s", "shipped");
  const std::filesystem::path appData = SystemPath(folder.path()) / L"Пользователь 玩家" / L"AppData";
  std::filesystem::create_directories(appData);
  const std::wstring previous = _wgetenv(L"APPDATA") ? _wgetenv(L"APPDATA") : L"";
  _wputenv_s(L"APPDATA", appData.c_str());

  SelectDataFolders(install);
  const std::string own = PlayerFile("data\\profile0.s");
  EXPECT_EQ(SystemPath(own), appData / L"Kestrin" / L"profile0.s");
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(own, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "shipped");
  EXPECT_TRUE(WriteFileAtomically(own, "played"));
  ASSERT_TRUE(ReadWholeFile(PlayerFile("data\\profile0.s"), bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "played");
  const std::string settings = PlayerFile("bin\\default.cfg");
  EXPECT_EQ(SystemPath(settings), appData / L"Kestrin" / L"default.cfg");
  EXPECT_TRUE(FileExists(settings));
  EXPECT_EQ(folder.Read("Program Files/Kestrin/data/profile0.s"), "shipped");

  _wputenv_s(L"APPDATA", previous.c_str());
  SelectDataFolders(folder.path());  // no longer installed
}
