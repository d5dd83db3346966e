#include "platform/heap.h"

#include <cstdint>
#include <cstdlib>  // before the test: the C library's own headers say whether it is glibc

#ifdef __GLIBC__
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {
constexpr size_t kReserve = size_t(256) << 20;  // more than the game's heap ever holds
constexpr size_t kLargePage = size_t(2) << 20;  // the kernel's transparent huge page
constexpr int kDefaultTopPad = 128 << 10;       // glibc's own
bool giveBackAsked = false;

// The start-up touches about 150 MB of new memory, and each first touch of a
// 4 KB page is a page fault: a quarter of the loading thread's time. The heap
// grows once, by all it will need (address space only), and that stretch is
// offered to the kernel for 2 MB pages, which fault 512 times less often;
// the resident size is about a megabyte higher for it. Where the kernel keeps
// large pages off, madvise fails and nothing changes.
void OfferHeapForLargePages() {
  mallopt(M_TOP_PAD, static_cast<int>(kReserve));
  const uintptr_t before = reinterpret_cast<uintptr_t>(sbrk(0));
  void* volatile grow = std::malloc(kLargePage);  // volatile: the pair must not be optimised away
  std::free(grow);
  const uintptr_t end = reinterpret_cast<uintptr_t>(sbrk(0));
  // Only the stretch the heap just grew by. Another allocator, or a heap
  // that could not grow in place (a system that commits memory strictly),
  // leaves it short: the advice is not asked, and later growth goes back to
  // glibc's small steps. After a grow the pad stays, or the first free next
  // to the top would give the reserve back.
  if (end - before < kReserve / 2) {
    mallopt(M_TOP_PAD, kDefaultTopPad);
    return;
  }
  const uintptr_t start = (before + kLargePage - 1) & ~(kLargePage - 1);
  madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}
}  // namespace

void SetUpHeap() {
  static bool done = false;
  if (done) return;
  done = true;
  // Heap trimming on every draw makes llvmpipe crawl; keep freed memory around.
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  // One heap for every thread: the driver's threads then reuse what the
  // loading freed instead of each growing a heap of its own.
  mallopt(M_ARENA_MAX, 1);
  OfferHeapForLargePages();
}

void AskToGiveBackFreedHeap() { giveBackAsked = true; }

void GiveBackFreedHeapIfAsked() {
  if (!giveBackAsked) return;
  giveBackAsked = false;
  malloc_trim(0);
}
#else
void SetUpHeap() {}
void AskToGiveBackFreedHeap() {}
void GiveBackFreedHeapIfAsked() {}
#endif
