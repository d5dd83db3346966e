#pragma once
// Where the game reads its data and keeps the player's files.
//
// Run from its own folder (the build folder, a zip), the game reads and writes
// everything in its working directory. Installed, its executable sits in a
// folder such as /usr/games with the data in a share folder beside it
// ("../share/games/kestrin"; the install rules fix the relative path). It then
// reads the data from there, needing no write permission, and keeps the
// settings and the profiles in the player's folder, $XDG_DATA_HOME/kestrin (by
// default ~/.local/share/kestrin). On Windows the data always sits beside the
// executable; the installer marks it with a file "installed", and the player's
// folder is then %APPDATA%\Kestrin.
#include <string>

// The folder the running executable is in.
std::string ExecutableFolder();

// Where an installed game's data is, from its executable's folder.
std::string InstalledDataFolder(const std::string& executableFolder);

// Decides between the two from where the executable is. When installed:
// changes into the data folder and prepares the player's folder, copying the
// shipped settings and profiles there when missing. When the player's folder
// cannot be written, says so on standard error and keeps the player's files
// in memory for this run, so that play goes on and nothing is written
// anywhere else.
void SelectDataFolders(const std::string& executableFolder);

// A replay's player's files live in `folder` (by their bare names) until this
// is called again with an empty folder.
void RedirectPlayerFiles(const std::string& folder);

// Where a player's file of the game folder ("bin\default.cfg",
// "data\profile0.s") is read and written.
std::string PlayerFile(const std::string& path);
