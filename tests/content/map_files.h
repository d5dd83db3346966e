#pragma once
// Reading the generated level files straight from the game folder.
#include <cstring>
#include <string>
#include <vector>

#include "game/level_records.h"
#include "platform/files.h"

namespace mapfiles {

inline std::string mapsFolder() { return std::string(KESTRIN_GAME_DIR) + "/maps"; }

inline std::vector<std::string> mapNames() { return FindFiles(mapsFolder() + "/*.map"); }

struct MapFile {
  HexBoard header{};
  std::vector<HexCell> cells;
  std::vector<int32_t> marks;
  std::vector<int32_t> items;
  std::vector<TriggerRecord> triggers;
};

template <class T>
void take(const std::vector<unsigned char>& bytes, size_t& offset, T* out, size_t count) {
  std::memcpy(out, bytes.data() + offset, sizeof(T) * count);
  offset += sizeof(T) * count;
}

// False when the file is missing or its size does not match its cell count.
inline bool readMap(const std::string& path, MapFile& map) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes) || bytes.size() < MapHeaderSize) return false;
  size_t offset = 0;
  take(bytes, offset, &map.header, 1);
  const int32_t count = map.header.cellCount;
  if (count < 0 || bytes.size() != MapHeaderSize + MapBytesPerCell * count) return false;
  map.cells.resize(count);
  map.marks.resize(count);
  map.items.resize(count);
  take(bytes, offset, map.cells.data(), count);
  take(bytes, offset, map.marks.data(), count);
  take(bytes, offset, map.items.data(), count);
  std::vector<unsigned char> triggerBytes;
  if (ReadWholeFile(path + ".trg", triggerBytes)) {
    if (triggerBytes.size() != sizeof(TriggerRecord) * count) return false;
    map.triggers.resize(count);
    size_t at = 0;
    take(triggerBytes, at, map.triggers.data(), count);
  }
  return true;
}

inline bool readSceneObjects(const std::string& path, std::vector<SceneObject>& objects) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes) || bytes.size() < 4) return false;
  uint32_t count = 0;
  size_t offset = 0;
  take(bytes, offset, &count, 1);
  if (bytes.size() != 4 + sizeof(SceneObject) * count) return false;
  objects.resize(count);
  take(bytes, offset, objects.data(), count);
  return true;
}

}  // namespace mapfiles
