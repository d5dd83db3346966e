#include "platform/files.h"
#include "platform/test_hooks.h"

#include <algorithm>
#include <map>
#include <sys/stat.h>

#include "platform/files_internal.h"

namespace {
WriteFaultHook faultHook = nullptr;
WriteFailure lastWriteFailure = WriteFailure::None;
// Set while a write is under way once the hook has failed one of its steps.
bool hookFailedStep = false;
// By native path. Each run keeps at most a few small files here.
std::map<std::string, std::string> memoryFiles;

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

bool WriteStepAllowed(int step) {
  if (faultHook == nullptr || faultHook(step)) return true;
  lastWriteFailure = WriteFailure::DiskFull;
  hookFailedStep = true;
  return false;
}

void NoteWriteFailure(WriteFailure why) {
  if (!hookFailedStep) lastWriteFailure = why;
}

WriteFailure LastWriteFailure() { return lastWriteFailure; }

void SetWriteFaultHook(WriteFaultHook hook) { faultHook = hook; }

std::string NativePath(const std::string& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

std::filesystem::path SystemPath(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
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
#ifdef _WIN32
  if (kept == memoryFiles.end())
    return _wfopen(SystemPath(native).c_str(), std::wstring(flags.begin(), flags.end()).c_str());
#else
  if (kept == memoryFiles.end()) return std::fopen(native.c_str(), flags.c_str());
#endif
  // Only read through a stream: the kept text is replaced by
  // WriteFileAtomically alone.
  return flags[0] == 'r' ? ReadStreamOver(kept->second) : nullptr;
}

bool FileExists(const std::string& path) {
  if (IsKeptInMemory(path)) return true;
  std::error_code error;
  return std::filesystem::is_regular_file(SystemPath(NativePath(path)), error);
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

bool WriteFileAtomically(const std::string& path, const std::string& contents) {
  auto kept = memoryFiles.find(NativePath(path));
  if (kept == memoryFiles.end()) {
    // The rename would replace a write-protected file; opening it for writing would not.
    if (FileExists(path)) {
      FILE* existing = OpenFile(path, "r+");
      if (!existing) {
        lastWriteFailure = WriteFailure::NotAllowed;
        return false;
      }
      std::fclose(existing);
      // Each save of the profiles and settings writes every file; one that
      // already holds these bytes would cost two syncs to disk for nothing.
      std::vector<unsigned char> current;
      if (ReadWholeFile(path, current) && std::equal(current.begin(), current.end(), contents.begin(), contents.end()))
        return true;
    }
    hookFailedStep = false;
    return ReplaceFileOnDisk(NativePath(path), contents);
  }
  kept->second = contents;
  return true;
}
