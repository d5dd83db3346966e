#include "map_writer.h"

#include <cstdio>

#include "game/board.h"

namespace {
template <class T>
bool writeRecords(FILE* file, const T* records, size_t count) {
  return std::fwrite(records, sizeof(T), count, file) == count;
}

bool finish(FILE* file, bool ok) { return std::fclose(file) == 0 && ok; }
}  // namespace

bool writeMap(const std::string& path, bool withTriggers) {
  const size_t count = Level.cellCount;
  HexBoard header = Level;
  header.roadHandle = 0;
  header.cellsHandle = 0;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = writeRecords(file, &header, 1) && writeRecords(file, Level.cells.data(), count) &&
            writeRecords(file, Level.cellMarks.data(), count) && writeRecords(file, Level.cellItems.data(), count);
  if (!finish(file, ok)) return false;
  if (!withTriggers) return true;
  FILE* triggers = std::fopen((path + ".trg").c_str(), "wb");
  if (!triggers) return false;
  return finish(triggers, writeRecords(triggers, Level.triggers.data(), count));
}

bool writeSceneObjects(const std::string& path, const std::vector<SceneObject>& objects) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const uint32_t count = static_cast<uint32_t>(objects.size());
  return finish(file, writeRecords(file, &count, 1) && writeRecords(file, objects.data(), objects.size()));
}
