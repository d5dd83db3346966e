#include "platform/files.h"

#include <algorithm>
#include <map>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
WriteFaultHook faultHook = nullptr;
// By native path. Each run keeps at most a few small files here.
std::map<std::string, std::string> memoryFiles;

bool StepAllowed(int step) { return faultHook == nullptr || faultHook(step); }

FILE* ReadStreamOver(std::string& text) {
#ifdef _WIN32
  // No memory streams there: an anonymous temporary file stands in.
  FILE* file = std::tmpfile();
  if (file && (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fseek(file, 0, SEEK_SET) != 0)) {
    std::fclose(file);
    return nullptr;
  }
  return file;
#else
  return fmemopen(text.data(), text.size(), "r");
#endif
}
}  // namespace

void SetWriteFaultHook(WriteFaultHook hook) { faultHook = hook; }

std::string NativePath(const std::string& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

void KeepInMemory(const std::string& path, const std::string& contents) { memoryFiles[NativePath(path)] = contents; }

bool IsKeptInMemory(const std::string& path) { return memoryFiles.count(NativePath(path)) != 0; }

FILE* OpenFile(const std::string& path, const char* mode) {
  std::string native = NativePath(path);
  // Text and binary mode are the same here; keep the flags fopen knows.
  std::string flags;
  for (const char* c = mode; *c; ++c)
    if (*c != 't') flags += *c;
  auto kept = memoryFiles.find(native);
  if (kept == memoryFiles.end()) return std::fopen(native.c_str(), flags.c_str());
  // Only read through a stream: the kept text is replaced by
  // WriteFileAtomically alone.
  return flags[0] == 'r' ? ReadStreamOver(kept->second) : nullptr;
}

bool FileExists(const std::string& path) {
  if (IsKeptInMemory(path)) return true;
  struct stat st;
  return stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes) {
  bytes.clear();
  auto kept = memoryFiles.find(NativePath(path));
  if (kept != memoryFiles.end()) {
    bytes.assign(kept->second.begin(), kept->second.end());
    return true;
  }
  // A device or a pipe (a path such as /dev/zero in a font file) may never
  // end, or block on opening: only regular files are read.
  if (!FileExists(path)) return false;
  FILE* file = OpenFile(path, "rb");
  if (!file) return false;
  struct stat st;
  if (fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) {
    std::fclose(file);
    return false;
  }
  unsigned char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

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

bool WriteFileAtomically(const std::string& path, const std::string& contents) {
  std::string target = NativePath(path);
  auto kept = memoryFiles.find(target);
  if (kept != memoryFiles.end()) {
    kept->second = contents;
    return true;
  }
  std::string temporary = target + ".tmp";
  FILE* file = StepAllowed(0) ? std::fopen(temporary.c_str(), "wb") : nullptr;
  if (!file) return false;
  bool ok = StepAllowed(1) && std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
  ok = ok && StepAllowed(2) && std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  ok = (std::fclose(file) == 0) && ok && StepAllowed(3);
  ok = ok && StepAllowed(4) && std::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) std::remove(temporary.c_str());
  if (ok) SyncFolderOf(target);
  return ok;
}
