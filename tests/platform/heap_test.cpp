#include "platform/heap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// A sanitizer brings a heap of its own.
#if defined(__SANITIZE_ADDRESS__)
#define OWN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OWN_HEAP 1
#endif
#endif

#if defined(__GLIBC__) && !defined(OWN_HEAP)
namespace {
long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

bool HeapAdvisedForLargePages() {
  std::ifstream smaps("/proc/self/smaps");
  bool inHeap = false;
  for (std::string line; std::getline(smaps, line);) {
    if (!line.empty() && line.find(':') > line.find(' ')) inHeap = line.find("[heap]") != std::string::npos;
    if (inHeap && line.rfind("VmFlags:", 0) == 0 && line.find(" hg") != std::string::npos) return true;
  }
  return false;
}
}  // namespace
#endif

// The stretch the heap grows by at start-up carries the advice for 2 MB
// pages ("hg" among the mapping's flags): a grow that fell short of the
// reserve, or a malloc and free the compiler left out, would lose it. Freed
// memory the heap keeps (for the driver's sake) leaves the resident size
// when handed back, once asked: a round's passing allocations no longer
// lift it for good. What is still in use stays.
TEST(HeapSetUpTest, LargePagesAtStartUpAndFreedMemoryHandedBackOnceAsked) {
#if !defined(__GLIBC__) || defined(OWN_HEAP)
  GTEST_SKIP() << "glibc's own heap only";
#else
  SetUpHeap();
  if (std::filesystem::exists("/sys/kernel/mm/transparent_hugepage/enabled")) {
    EXPECT_TRUE(HeapAdvisedForLargePages());
  }
  constexpr size_t Block = 128 << 10, Blocks = 96;  // 12 MB, each block well under the mapping threshold
  std::vector<char*> blocks;
  for (size_t i = 0; i < Blocks; ++i) {
    blocks.push_back(static_cast<char*>(std::malloc(Block)));
    std::memset(blocks.back(), 1, Block);
  }
  char* kept = blocks[Blocks / 2];
  for (char* block : blocks)
    if (block != kept) std::free(block);
  const long before = ResidentKilobytes();
  GiveBackFreedHeapIfAsked();
  EXPECT_GT(ResidentKilobytes(), before - 1024) << "not asked";
  AskToGiveBackFreedHeap();
  GiveBackFreedHeapIfAsked();
  EXPECT_LT(ResidentKilobytes(), before - 8 * 1024) << "12 MB freed";
  EXPECT_EQ(kept[Block - 1], 1);
  std::free(kept);
#endif
}
