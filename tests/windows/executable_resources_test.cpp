// kestrin.exe as Explorer and the taskbar see it: the icon in every size
// texgen draws, the version information and the manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

TEST(ExecutableResources, TheGameCarriesItsIconVersionAndManifest) {
  HMODULE game = LoadLibraryExA(KESTRIN_GAME_DIR "\\kestrin.exe", nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(game, nullptr);
  auto resource = [&](LPCSTR type) {
    HRSRC found = FindResourceA(game, MAKEINTRESOURCEA(1), type);
    const char* bytes = found ? static_cast<const char*>(LockResource(LoadResource(game, found))) : "";
    return std::string(bytes, found ? SizeofResource(game, found) : 0);
  };
  const std::string icons = resource(RT_GROUP_ICON), version = resource(RT_VERSION);
  ASSERT_GE(icons.size(), 6u);
  EXPECT_EQ(icons[4], 8) << "16, 22, 24, 32, 48, 64, 128 and 256 pixels";
  const std::wstring text(reinterpret_cast<const wchar_t*>(version.data()), version.size() / 2);
  for (const wchar_t* key : {L"ProductName", L"Kestrin", L"CompanyName", L"FileDescription", L"FileVersion"})
    EXPECT_NE(text.find(key), std::wstring::npos) << key;
  for (const char* key : {"PerMonitorV2", "true/pm", "supportedOS", "asInvoker"})
    EXPECT_NE(resource(RT_MANIFEST).find(key), std::string::npos) << key;
  FreeLibrary(game);
}
