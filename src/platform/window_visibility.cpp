#include "platform/window_visibility.h"

#include <atomic>

namespace {
std::atomic<bool> hiddenNow{false};
}  // namespace

void SetWindowHidden(bool hidden) { hiddenNow = hidden; }

bool WindowHidden() { return hiddenNow; }
