#include "platform/files.h"

#include <algorithm>
#include <sys/stat.h>

#include "platform/files_internal.h"

namespace {
WriteFaultHook faultHook = nullptr;
}  // namespace

bool WriteStepAllowed(int step) { return faultHook == nullptr || faultHook(step); }

void SetWriteFaultHook(WriteFaultHook hook) { faultHook = hook; }

std::string NativePath(const std::string& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

FILE* OpenFile(const std::string& path, const char* mode) {
  std::string native = NativePath(path);
  // Text and binary mode are the same here; keep the flags fopen knows.
  std::string flags;
  for (const char* c = mode; *c; ++c)
    if (*c != 't') flags += *c;
  return std::fopen(native.c_str(), flags.c_str());
}

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes) {
  bytes.clear();
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
