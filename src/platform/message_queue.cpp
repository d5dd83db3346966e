#include "platform/message_queue.h"

#include <deque>
#include <mutex>

namespace {
std::deque<MSG> pending;
std::mutex pendingLock;
}  // namespace

void QueueMessage(HWND window, uint32_t message, uintptr_t wParam) {
  std::lock_guard<std::mutex> hold(pendingLock);
  pending.push_back(MSG{window, message, wParam, 0});
}

bool TakeQueuedMessage(MSG* message) {
  std::lock_guard<std::mutex> hold(pendingLock);
  if (pending.empty()) return false;
  *message = pending.front();
  pending.pop_front();
  return true;
}

void ClearQueuedMessages() {
  std::lock_guard<std::mutex> hold(pendingLock);
  pending.clear();
}
