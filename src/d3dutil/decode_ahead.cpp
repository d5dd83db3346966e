#include "d3dutil/decode_ahead.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/files.h"

namespace {

// How much decoded data may wait to be taken: the thread stays this far
// ahead of the loading, so the start-up's peak memory hardly rises.
constexpr size_t kAheadBytes = size_t(12) << 20;

struct AheadEntry {
  std::string path;
  bool ready = false, ok = false;
  bool dropped = false;  // passed over by the loading: not decoded, or freed
  DecodedAhead decoded;
  size_t bytes = 0;
};

struct AheadQueue {
  std::mutex lock;
  std::condition_variable changed;
  std::vector<AheadEntry> entries;
  size_t next = 0;  // the first entry not yet taken or dropped
  size_t waitingBytes = 0;
  bool stop = false;
  std::thread worker;
  // A start-up that ended early may leave the thread running until exit.
  ~AheadQueue() {
    {
      std::lock_guard<std::mutex> hold(lock);
      stop = true;
    }
    changed.notify_all();
    if (worker.joinable()) worker.join();
  }
};
AheadQueue Ahead;

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

size_t BytesOf(const ArgbImage& image) { return image.pixels.size() * sizeof(uint32_t); }

bool DecodeOne(const std::string& path, DecodedAhead* decoded) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path.c_str(), bytes) || !DecodePng(bytes, &decoded->image)) return false;
  decoded->opaqueInset = OpaqueInsetTexels(decoded->image);
  if (!PowerOfTwo(decoded->image.width) || !PowerOfTwo(decoded->image.height)) return true;
  const ArgbImage* above = &decoded->image;
  while (above->width > 1 || above->height > 1) {
    decoded->mips.push_back(HalveImage(*above));
    above = &decoded->mips.back();
  }
  return true;
}

// The worker thread's loop; the browser edition starts none.
[[maybe_unused]] void DecodeInTurn() {
  for (size_t i = 0;; ++i) {
    std::string path;
    {
      std::unique_lock<std::mutex> hold(Ahead.lock);
      Ahead.changed.wait(hold, [] { return Ahead.stop || Ahead.waitingBytes < kAheadBytes; });
      if (Ahead.stop || i >= Ahead.entries.size()) return;
      if (Ahead.entries[i].dropped) continue;
      path = Ahead.entries[i].path;
    }
    DecodedAhead decoded;
    const bool ok = DecodeOne(path, &decoded);
    size_t bytes = BytesOf(decoded.image);
    for (const ArgbImage& mip : decoded.mips) bytes += BytesOf(mip);
    std::lock_guard<std::mutex> hold(Ahead.lock);
    AheadEntry& entry = Ahead.entries[i];
    entry.ready = true;
    entry.ok = ok;
    if (!entry.dropped) {
      entry.decoded = std::move(decoded);
      entry.bytes = bytes;
      Ahead.waitingBytes += bytes;
    }
    Ahead.changed.notify_all();
  }
}

// Frees an entry's pixels; the lock is held.
void Drop(AheadEntry& entry) {
  entry.dropped = true;
  Ahead.waitingBytes -= entry.bytes;
  entry.bytes = 0;
  entry.decoded = DecodedAhead{};
}

}  // namespace

int OpaqueInsetTexels(const ArgbImage& image) {
  int inset = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if ((image.pixels[size_t(y) * image.width + x] >> 24) != 0xFF)
        inset = std::max(inset, std::min({x, image.width - 1 - x, y, image.height - 1 - y}) + 1);
  return inset;
}

ArgbImage HalveImage(const ArgbImage& source) {
  ArgbImage out;
  out.width = source.width > 1 ? source.width / 2 : 1;
  out.height = source.height > 1 ? source.height / 2 : 1;
  out.hasAlpha = source.hasAlpha;
  out.pixels.resize(size_t(out.width) * out.height);
  // Each byte the rounded-up average of two values' bytes: the linear
  // filter's texel halfway between two others.
  auto halfway = [](uint32_t a, uint32_t b) { return (a | b) - (((a ^ b) & 0xFEFEFEFEu) >> 1); };
  const int down = source.height > 1 ? source.width : 0;
  const int across = source.width > 1 ? 1 : 0;
  for (int y = 0; y < out.height; ++y) {
    const uint32_t* top = &source.pixels[size_t(y) * (source.height > 1 ? 2 : 1) * source.width];
    for (int x = 0; x < out.width; ++x) {
      const uint32_t* texel = top + x * (across + 1);
      out.pixels[size_t(y) * out.width + x] =
          halfway(halfway(texel[0], texel[across]), halfway(texel[down], texel[down + across]));
    }
  }
  return out;
}

void DecodeAhead(std::vector<std::string> paths) {
#ifndef __EMSCRIPTEN__
  std::lock_guard<std::mutex> hold(Ahead.lock);
  if (Ahead.worker.joinable()) return;
  Ahead.entries.clear();
  Ahead.entries.resize(paths.size());
  for (size_t i = 0; i < paths.size(); ++i) Ahead.entries[i].path = std::move(paths[i]);
  Ahead.next = 0;
  Ahead.waitingBytes = 0;
  Ahead.stop = false;
  Ahead.worker = std::thread(DecodeInTurn);
#else
  (void)paths;
#endif
}

bool TakeDecodedAhead(const std::string& path, DecodedAhead* out) {
  std::unique_lock<std::mutex> hold(Ahead.lock);
  size_t found = Ahead.next;
  while (found < Ahead.entries.size() && Ahead.entries[found].path != path) ++found;
  if (found == Ahead.entries.size()) return false;
  for (; Ahead.next < found; ++Ahead.next) Drop(Ahead.entries[Ahead.next]);
  ++Ahead.next;
  AheadEntry& entry = Ahead.entries[found];
  Ahead.changed.notify_all();
  Ahead.changed.wait(hold, [&] { return entry.ready; });
  *out = std::move(entry.decoded);
  Drop(entry);
  Ahead.changed.notify_all();
  return entry.ok;
}

void StopDecodingAhead() {
  {
    std::lock_guard<std::mutex> hold(Ahead.lock);
    Ahead.stop = true;
    Ahead.changed.notify_all();
  }
  if (Ahead.worker.joinable()) Ahead.worker.join();
  std::lock_guard<std::mutex> hold(Ahead.lock);
  Ahead.entries.clear();
  Ahead.next = Ahead.waitingBytes = 0;
}
