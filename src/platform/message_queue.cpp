#include "platform/message_queue.h"

#include <deque>
#include <mutex>

#include "platform/code_page.h"

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

void QueueKeyMessage(HWND window, uint32_t message, int virtualKey) {
  if (virtualKey == 0) return;
  QueueMessage(window, message, static_cast<uintptr_t>(virtualKey));
  bool typesCharacter = virtualKey == VK_BACK || virtualKey == VK_RETURN || virtualKey == VK_ESCAPE;
  if (message == WM_KEYDOWN && typesCharacter) QueueMessage(window, WM_CHAR, static_cast<uintptr_t>(virtualKey));
}

void QueueTypedText(HWND window, const char* utf8) {
  for (char byte : Utf8ToCp1251(utf8)) QueueMessage(window, WM_CHAR, static_cast<unsigned char>(byte));
}
