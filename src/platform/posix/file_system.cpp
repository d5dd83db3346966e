// Finding and atomically replacing files on POSIX systems.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/files_internal.h"
#ifdef __EMSCRIPTEN__
#include "platform/web/browser_storage.h"
#endif

std::vector<std::string> FindFiles(const std::string& pattern) {
  std::string native = NativePath(pattern);
  size_t slash = native.rfind('/');
  std::string folder = slash == std::string::npos ? "." : native.substr(0, slash);
  std::string mask = slash == std::string::npos ? native : native.substr(slash + 1);
  std::vector<std::string> names;
  DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (fnmatch(mask.c_str(), name.c_str(), 0) != 0) continue;
    if (!FileExists(folder + "/" + name)) continue;
    names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

namespace {
// The rename itself lives in the folder: without this a power cut soon after
// a save could bring back the old file. Best effort: the file is already safe.
void SyncFolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
}
}  // namespace

namespace {
WriteFailure FailureOf(int error) {
  if (error == ENOSPC || error == EDQUOT) return WriteFailure::DiskFull;
  if (error == EACCES || error == EPERM || error == EROFS) return WriteFailure::NotAllowed;
  return WriteFailure::Other;
}
}  // namespace

bool ReplaceFileOnDisk(const std::string& path, const std::string& contents) {
  std::string target = NativePath(path);
  std::string temporary = target + ".tmp";
  FILE* file = WriteStepAllowed(0) ? std::fopen(temporary.c_str(), "wb") : nullptr;
  if (!file) {
    NoteWriteFailure(FailureOf(errno));
    return false;
  }
  bool ok = WriteStepAllowed(1) && std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
  ok = ok && WriteStepAllowed(2) && std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  ok = (std::fclose(file) == 0) && ok && WriteStepAllowed(3);
  ok = ok && WriteStepAllowed(4) && std::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    NoteWriteFailure(FailureOf(errno));
    std::remove(temporary.c_str());
  }
  if (ok) SyncFolderOf(target);
#ifdef __EMSCRIPTEN__
  ok = ok && StoreWrittenFilesInBrowser();
#endif
  return ok;
}
