#include "game/level_files.h"

#include <cstdio>
#include <cstring>

#include "game/board.h"
#include "platform/files.h"

LevelFileState Levels;

namespace {
// Size of an open file without reading it, or -1.
long fileSize(FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  long size = std::ftell(file);
  if (std::fseek(file, 0, SEEK_SET) != 0) return -1;
  return size;
}

template <class T>
bool readRecords(FILE* file, T* records, size_t count) {
  return std::fread(records, sizeof(T), count, file) == count;
}

struct MapContents {
  HexBoard header{};
  std::vector<HexCell> cells;
  std::vector<int32_t> marks;
  std::vector<int32_t> items;
  std::vector<TriggerRecord> triggers;
};

bool readMapFile(const std::string& path, MapContents& map) {
  FILE* file = OpenFile(path, "rb");
  if (!file) return false;
  const long size = fileSize(file);
  bool ok = size >= static_cast<long>(MapHeaderSize) && readRecords(file, &map.header, 1);
  const int32_t count = map.header.cellCount;
  ok = ok && count >= 1 && static_cast<size_t>(count) <= Level.cellMarks.size() &&
       static_cast<size_t>(size) == MapHeaderSize + MapBytesPerCell * count;
  if (ok) {
    map.cells.resize(count);
    map.marks.resize(count);
    map.items.resize(count);
    ok = readRecords(file, map.cells.data(), count) && readRecords(file, map.marks.data(), count) &&
         readRecords(file, map.items.data(), count);
  }
  std::fclose(file);
  return ok;
}

// A missing trigger file means no triggers; one shorter than the board is refused.
bool readTriggerFile(const std::string& path, int32_t count, std::vector<TriggerRecord>& triggers) {
  triggers.assign(count, TriggerRecord{});
  FILE* file = OpenFile(path, "rb");
  if (!file) return true;
  const long size = fileSize(file);
  bool ok = size >= static_cast<long>(sizeof(TriggerRecord)) * count && readRecords(file, triggers.data(), count);
  std::fclose(file);
  return ok;
}

void takeMap(MapContents& map) {
  const HexBoard& h = map.header;
  Level.originX = h.originX;
  Level.originY = h.originY;
  Level.width = h.width;
  Level.height = h.height;
  Level.cellRadius = h.cellRadius;
  Level.beeX = h.beeX;
  Level.beeY = h.beeY;
  Level.beeVelX = h.beeVelX;
  Level.beeVelY = h.beeVelY;
  Level.beeHeading = h.beeHeading;
  Level.reserved40 = h.reserved40;
  Level.cellCount = h.cellCount;
  Level.rowLenEven = h.rowLenEven;
  Level.rowLenOdd = h.rowLenOdd;
  Level.rowCount = h.rowCount;
  Level.currentCell = h.currentCell;
  Level.lives = h.lives;
  Level.won = h.won;
  Level.dead = h.dead;
  Level.flowerEvent = h.flowerEvent;
  Level.cells = std::move(map.cells);
  Level.flowersTaken = 0;
  Level.roadLeft = 0;
  Level.flowerCount = 0;
  for (const HexCell& cell : Level.cells)
    if (cell.flower) ++Level.flowerCount;

  const size_t count = h.cellCount;
  std::copy(map.marks.begin(), map.marks.end(), Level.cellMarks.begin());
  std::copy(map.items.begin(), map.items.end(), Level.cellItems.begin());
  std::fill(Level.triggers.begin(), Level.triggers.end(), TriggerRecord{});
  std::copy(map.triggers.begin(), map.triggers.end(), Level.triggers.begin());
  for (size_t i = 0; i < count; ++i) {
    const TriggerRecord& trigger = Level.triggers[i];
    if (trigger.active && trigger.briefing) Level.cells[i].content = trigger.value;
  }
}
}  // namespace

void scanLevels() {
  for (const std::string& name : FindFiles("maps\\*.map"))
    if (name.size() <= MaxLevelNameLength) Levels.LevelList.push_back(name);
}

bool loadSceneObjects(const std::string& path) {
  Levels.SceneObjectList.clear();
  FILE* file = OpenFile(path, "rb");
  if (!file) return false;
  const long size = fileSize(file);
  uint32_t count = 0;
  bool ok = size >= 4 && readRecords(file, &count, 1) &&
            count <= static_cast<unsigned long>(size - 4) / sizeof(SceneObject);
  if (ok) {
    Levels.SceneObjectList.resize(count);
    ok = readRecords(file, Levels.SceneObjectList.data(), count);
  }
  std::fclose(file);
  if (!ok) {
    Levels.SceneObjectList.clear();
    return false;
  }
  for (SceneObject& object : Levels.SceneObjectList) {
    object.meshName[sizeof object.meshName - 1] = '\0';
    object.textureName[sizeof object.textureName - 1] = '\0';
  }
  return true;
}

bool loadLevel(int levelIndex) {
  bool loaded = false;
  if (levelIndex >= 0 && levelIndex < static_cast<int>(Levels.LevelList.size())) {
    const std::string& name = Levels.LevelList[levelIndex];
    loadSceneObjects("maps\\bin\\" + name + ".bin");
    loaded = loadMap("maps\\" + name);
  } else {
    Levels.SceneObjectList.clear();
  }
  Level.lives = 4;
  Level.hammers = 0;
  Level.binoculars = 0;
  return loaded;
}

bool loadMap(const std::string& path) {
  MapContents map;
  if (!readMapFile(path, map)) return false;
  if (!readTriggerFile(path + ".trg", map.header.cellCount, map.triggers)) return false;
  takeMap(map);
  return true;
}
