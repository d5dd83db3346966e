// Finding and atomically replacing files on Windows.
#include <windows.h>

#include <algorithm>
#include <cctype>

#include "platform/files.h"
#include "platform/files_internal.h"

namespace {
// `*` and `?` against the whole long name, ignoring case as the system does.
bool MatchesMask(const char* mask, const char* name) {
  if (*mask == '\0') return *name == '\0';
  if (*mask == '*') return MatchesMask(mask + 1, name) || (*name && MatchesMask(mask, name + 1));
  if (*name == '\0') return false;
  bool same = *mask == '?' || std::toupper(static_cast<unsigned char>(*mask)) ==
                                  std::toupper(static_cast<unsigned char>(*name));
  return same && MatchesMask(mask + 1, name + 1);
}
}  // namespace

std::vector<std::string> FindFiles(const std::string& pattern) {
  std::vector<std::string> names;
  size_t slash = pattern.find_last_of("\\/");
  std::string mask = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    // The system also matches short 8.3 names: "*.vsp" finds "x.vspx".
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && MatchesMask(mask.c_str(), found.cFileName))
      names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  // The system's order depends on the file system; the game's must not.
  std::sort(names.begin(), names.end());
  return names;
}

std::string ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length;
  while ((length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) == path.size())
    path.resize(path.size() * 2);
  if (length == 0) return ".";
  path.resize(length);
  return Utf8Path(std::filesystem::path(path).parent_path());
}

namespace {
bool WriteAndFlush(HANDLE file, const std::string& contents) {
  DWORD written = 0;
  bool ok = WriteStepAllowed(1) &&
            (contents.empty() || WriteFile(file, contents.data(), DWORD(contents.size()), &written, nullptr)) &&
            written == contents.size();
  return ok && WriteStepAllowed(2) && FlushFileBuffers(file);
}
}  // namespace

namespace {
WriteFailure FailureOf(DWORD error) {
  if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) return WriteFailure::DiskFull;
  if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || error == ERROR_SHARING_VIOLATION)
    return WriteFailure::NotAllowed;
  return WriteFailure::Other;
}
}  // namespace

bool ReplaceFileOnDisk(const std::string& path, const std::string& contents) {
  std::wstring target = SystemPath(path).wstring();
  std::wstring temporary = target + L".tmp";
  if (!WriteStepAllowed(0)) return false;
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    NoteWriteFailure(FailureOf(GetLastError()));
    return false;
  }
  bool ok = WriteAndFlush(file, contents);
  ok = CloseHandle(file) && ok && WriteStepAllowed(3);
  // Write-through: the replacement itself is on disk when the call returns.
  ok = ok && WriteStepAllowed(4) &&
       MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    NoteWriteFailure(FailureOf(GetLastError()));
    DeleteFileW(temporary.c_str());
  }
  return ok;
}
