#include "app/heap_set_up.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

// A sanitizer brings a heap of its own.
#if defined(__SANITIZE_ADDRESS__)
#define OWN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OWN_HEAP 1
#endif
#endif

// The stretch the heap grows by at start-up carries the advice for 2 MB
// pages ("hg" among the mapping's flags): a grow that fell short of the
// reserve, or a malloc and free the compiler left out, would lose it.
TEST(HeapSetUpTest, TheHeapGrownAtStartUpIsOfferedForLargePages) {
#if !defined(__GLIBC__) || defined(OWN_HEAP)
  GTEST_SKIP() << "glibc's own heap only";
#else
  if (!std::filesystem::exists("/sys/kernel/mm/transparent_hugepage/enabled"))
    GTEST_SKIP() << "this kernel has no large pages";
  SetUpHeap();
  std::ifstream smaps("/proc/self/smaps");
  bool inHeap = false, advised = false;
  for (std::string line; std::getline(smaps, line);) {
    const bool mappingLine = !line.empty() && line.find(':') > line.find(' ');
    if (mappingLine) inHeap = line.find("[heap]") != std::string::npos;
    if (inHeap && line.rfind("VmFlags:", 0) == 0 && line.find(" hg") != std::string::npos) advised = true;
  }
  EXPECT_TRUE(advised);
#endif
}
