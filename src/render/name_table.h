#pragma once
// A growable list of short names whose positions are keys into parallel
// arrays: shader programs, fragments, textures and meshes are found this way.
#include <array>
#include <cstdint>
#include <vector>

struct NameTable {
  static constexpr int kSlotSize = 32;
  static constexpr int kMaxNameLength = kSlotSize - 1;
  using Slot = std::array<char, kSlotSize>;

  // Each slot holds a NUL-terminated name, the rest of the slot zero.
  std::vector<Slot> names;
  int32_t count = 0;

  // Appends every name of `list` (separated by commas and/or blanks) that is
  // not yet present, in list order. Longer names are cut to 31 characters.
  // Returns how many names were added; a null list adds none.
  int addNames(const char* list);
  // Slot index of `name` (compared exactly, after the same cut), or -1.
  int32_t indexOf(const char* name) const;
  const char* nameAt(int32_t index) const { return names[index].data(); }
  void clear();
};
