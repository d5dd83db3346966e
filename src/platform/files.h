#pragma once
// File access in the game's own terms: paths are relative to the working
// directory and may use backslashes, as every content path does.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// "a\b.png" -> "a/b.png".
std::string NativePath(const std::string& path);

// Paths are UTF-8: a player's folder may hold any letter. As the system
// takes a path (wide on Windows, whatever its code page), and back.
std::filesystem::path SystemPath(const std::string& path);
std::string Utf8Path(const std::filesystem::path& path);

// fopen with the path made native. Text mode flags are accepted as they are.
FILE* OpenFile(const std::string& path, const char* mode);

bool FileExists(const std::string& path);

// Whole file as bytes; false when it cannot be read or is not a regular file.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes);

// Names (not paths) of the regular files matching a pattern such as
// "maps\*.map" or "bin\shdr\*.vs", sorted by name so the order is stable.
std::vector<std::string> FindFiles(const std::string& pattern);

// Replaces a file only once its new contents are completely on disk: the
// text goes to a temporary file beside it, which is then renamed over the old
// one. On any failure the old file is left untouched and false is returned.
// A write-protected file is not replaced.
bool WriteFileAtomically(const std::string& path, const std::string& contents);

// Why the last WriteFileAtomically that failed did so; None before any.
enum class WriteFailure { None, DiskFull, NotAllowed, Other };
WriteFailure LastWriteFailure();

// Keeps the file at `path` in memory from now on, starting with `contents`:
// opening, reading and replacing it no longer touch the disk. For the
// player's files when their folder cannot be written.
void KeepInMemory(const std::string& path, const std::string& contents);
bool IsKeptInMemory(const std::string& path);
