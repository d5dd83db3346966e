#include "render/name_table.h"

#include <algorithm>
#include <cstring>

namespace {
bool IsSeparator(char c) { return c == ',' || c == ' '; }

NameTable::Slot MakeSlot(const char* text, size_t length) {
  NameTable::Slot slot{};
  std::memcpy(slot.data(), text, std::min<size_t>(length, NameTable::kMaxNameLength));
  return slot;
}
}  // namespace

int NameTable::addNames(const char* list) {
  if (!list) return 0;
  int added = 0;
  const char* p = list;
  while (*p) {
    while (*p && IsSeparator(*p)) ++p;
    const char* start = p;
    while (*p && !IsSeparator(*p)) ++p;
    if (p == start) continue;
    Slot slot = MakeSlot(start, p - start);
    if (indexOf(slot.data()) != -1) continue;
    names.push_back(slot);
    ++count;
    ++added;
  }
  return added;
}

int32_t NameTable::indexOf(const char* name) const {
  if (!name || count == 0) return -1;
  Slot key = MakeSlot(name, strnlen(name, kSlotSize));
  for (int32_t i = 0; i < count; ++i)
    if (names[i] == key) return i;
  return -1;
}

void NameTable::clear() {
  names.clear();
  names.shrink_to_fit();
  count = 0;
}
