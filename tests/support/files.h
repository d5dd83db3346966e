#pragma once
// A fresh directory per test for the files a test reads and writes, and ways
// to make a path write-protected even when the tests run as root.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace testfiles {

#if defined(_WIN32) || defined(__EMSCRIPTEN__)
// Under Wine and node the Unix user (root here) may write read-only files
// anyway: nothing is protected, and the tests that need it skip.
inline bool WriteProtect(const std::string&) { return false; }
inline void Unprotect(const std::string&) {}
#else
inline bool SetImmutable(const std::string& path, bool on) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (ok) {
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  close(fd);
  return ok;
}

// Takes write permission away; root ignores that, so it also gets the
// immutable flag where the file system allows. False when the path still
// cannot be protected (the caller then skips).
inline bool WriteProtect(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return false;
  chmod(path.c_str(), st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH));
  if (geteuid() == 0) return SetImmutable(path, true);
  return true;
}

inline void Unprotect(const std::string& path) {
  SetImmutable(path, false);
  chmod(path.c_str(), std::filesystem::is_directory(path) ? 0755 : 0644);
}
#endif

class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    std::string base = testing::TempDir();
    if (!base.empty() && base.back() != '/') base += '/';
    static const unsigned run = std::random_device{}();
    path_ = base + "kestrin_" + std::to_string(run) + "_" + std::to_string(counter++);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    Unprotect(path_);
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
      Unprotect(entry.path().string());
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

  std::string Write(const std::string& name, const std::string& text) const {
    std::string file = File(name);
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }

  std::string Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::string path_;
};

// A folder of the source tree's content/ ("data", "bin/shdr") copied over the
// same folder under the working folder, as the build installs it.
inline void CopySourceContent(const std::string& folder) {
  std::filesystem::create_directories(folder);
  std::filesystem::copy(std::string(KESTRIN_SOURCE_DIR) + "/content/" + folder, folder,
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

// The game's shader programs and fragments.
inline void CopyGameShaders() {
  CopySourceContent("bin/shdr");
  CopySourceContent("bin/shdrpart");
}

// A fresh folder the test runs in; the previous working folder comes back
// afterwards.
class WorkingFolder : public TempDir {
 public:
  WorkingFolder() : previous_(std::filesystem::current_path()) { std::filesystem::current_path(path()); }
  ~WorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }

 private:
  std::filesystem::path previous_;
};

}  // namespace testfiles
