#include "platform/data_folders.h"

#ifdef _WIN32
#include <io.h>
#else
#ifndef __EMSCRIPTEN__
#include <SDL.h>
#endif
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/files.h"

#ifndef KESTRIN_DATA_FROM_BIN
#define KESTRIN_DATA_FROM_BIN "../share/games/kestrin"
#endif

namespace {
bool installed = false;
std::string playerFolder;
// Set once the player's folder turned out unusable: its files then live in
// memory, and the reason has been told.
bool keptInMemory = false;
std::string redirectedFolder;

#ifdef _WIN32
// The installer leaves this file beside the game; the zip has none.
bool InstalledAt(const std::string& data) { return FileExists(data + "/installed"); }

// %APPDATA%\Kestrin; empty without one.
std::string PlayerFolderOfThisUser() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (!appData || !appData[0]) return "";
  return Utf8Path(std::filesystem::path(appData) / L"Kestrin");
}

bool Writable(const std::string& path) { return _waccess(SystemPath(path).c_str(), 2) == 0; }
#else
bool InstalledAt(const std::string& data) { return FileExists(data + "/bin/default.cfg"); }

// $XDG_DATA_HOME/kestrin, or ~/.local/share/kestrin; empty without a home.
std::string PlayerFolderOfThisUser() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  // A relative XDG path is to be ignored.
  if (dataHome && dataHome[0] == '/') return std::string(dataHome) + "/kestrin";
  const char* home = std::getenv("HOME");
  if (!home || !home[0]) return "";
  return std::string(home) + "/.local/share/kestrin";
}

bool Writable(const std::string& path) { return access(path.c_str(), W_OK) == 0; }
#endif

void TellProgressIsNotKept(const std::string& reason) {
  if (keptInMemory) return;
  keptInMemory = true;
  std::fprintf(stderr,
               "kestrin: cannot keep your settings and progress in %s: %s.\n"
               "kestrin: playing on; what changes in this run is lost when the game ends.\n",
               playerFolder.empty() ? "your data folder (none is set in the environment)" : playerFolder.c_str(),
               reason.c_str());
}

std::string Contents(const std::string& path) {
  std::vector<unsigned char> bytes;
  ReadWholeFile(path, bytes);
  return std::string(bytes.begin(), bytes.end());
}

// The player's copy of a shipped file, made on first use.
void PreparePlayerFile(const std::string& shipped, const std::string& own) {
  if (!keptInMemory && FileExists(own)) {
    if (Writable(own)) return;
    TellProgressIsNotKept(own + " is write-protected");
  }
  if (!keptInMemory && WriteFileAtomically(own, Contents(shipped))) return;
  TellProgressIsNotKept(std::strerror(errno));
  KeepInMemory(own, Contents(FileExists(own) ? own : shipped));
}
}  // namespace

#ifndef _WIN32
std::string ExecutableFolder() {
#ifdef __EMSCRIPTEN__
  // The web page lays the game out as installed (see cmake/web_build.cmake).
  return "/usr/games";
#else
  char* base = SDL_GetBasePath();
  if (!base) return ".";
  std::string folder = base;
  SDL_free(base);
  return folder;
#endif
}
#endif

std::string InstalledDataFolder(const std::string& executableFolder) {
  return executableFolder + "/" + KESTRIN_DATA_FROM_BIN;
}

void SelectDataFolders(const std::string& executableFolder) {
  installed = false;
  keptInMemory = false;
  std::string data = InstalledDataFolder(executableFolder);
  if (!InstalledAt(data)) return;
  std::error_code error;
  std::filesystem::current_path(SystemPath(data), error);
  if (error) {
    std::fprintf(stderr, "kestrin: cannot enter the game data in %s: %s\n", data.c_str(), error.message().c_str());
    return;
  }
  installed = true;
  playerFolder = PlayerFolderOfThisUser();
  if (playerFolder.empty()) {
    TellProgressIsNotKept("no folder to keep them in");
    return;
  }
  std::filesystem::create_directories(SystemPath(playerFolder), error);
  if (error)
    TellProgressIsNotKept(error.message());
  else if (!Writable(playerFolder))
    TellProgressIsNotKept(std::strerror(errno));
}

void RedirectPlayerFiles(const std::string& folder) { redirectedFolder = folder; }

std::string PlayerFile(const std::string& path) {
  std::string shipped = NativePath(path);
  if (!redirectedFolder.empty()) return redirectedFolder + "/" + shipped.substr(shipped.rfind('/') + 1);
  if (!installed) return path;
  // Without a folder of its own, the shipped file itself is kept in memory.
  std::string own = playerFolder.empty() ? shipped : playerFolder + "/" + shipped.substr(shipped.rfind('/') + 1);
  if (!IsKeptInMemory(own)) PreparePlayerFile(shipped, own);
  return own;
}
