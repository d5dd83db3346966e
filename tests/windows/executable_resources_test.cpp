// kestrin.exe as Explorer and the taskbar see it: the icon in every size
// texgen draws, the version information and the manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {
std::string ResourceBytes(HMODULE module, LPCSTR type) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), type);
  if (!found) return "";
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

std::string Wide(const std::string& text) {
  std::string wide;
  for (char c : text) wide += std::string{c, '\0'};
  return wide;
}
}  // namespace

TEST(ExecutableResources, TheGameCarriesItsIconVersionAndManifest) {
  HMODULE game = LoadLibraryExA(KESTRIN_GAME_DIR "\\kestrin.exe", nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(game, nullptr);
  const std::string icons = ResourceBytes(game, RT_GROUP_ICON);
  ASSERT_GE(icons.size(), 6u);
  EXPECT_EQ(icons[4], 8) << "16, 22, 24, 32, 48, 64, 128 and 256 pixels";
  const std::string version = ResourceBytes(game, RT_VERSION);
  for (const char* text : {"ProductName", "Kestrin", "CompanyName", "FileDescription", "FileVersion"})
    EXPECT_NE(version.find(Wide(text)), std::string::npos) << text;
  const std::string manifest = ResourceBytes(game, RT_MANIFEST);
  for (const char* text : {"PerMonitorV2", "true/pm", "supportedOS", "asInvoker"})
    EXPECT_NE(manifest.find(text), std::string::npos) << text;
  FreeLibrary(game);
}
