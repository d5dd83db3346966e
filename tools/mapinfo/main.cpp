// Prints a map file as stored: its header, then one line per cell with the
// cell's mark, item and, when the trigger file lies beside it, its trigger.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/level_records.h"

namespace {
bool readFile(const std::string& path, std::vector<char>& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

template <class T>
T recordAt(const std::vector<char>& bytes, size_t offset) {
  T record;
  std::memcpy(&record, bytes.data() + offset, sizeof record);
  return record;
}

void printHeader(const HexBoard& h) {
  std::printf("origin %g %g  size %g x %g  radius %g\n", h.originX, h.originY, h.width, h.height, h.cellRadius);
  std::printf("cells %d  rows %d  even rows %d  odd rows %d\n", h.cellCount, h.rowCount, h.rowLenEven, h.rowLenOdd);
  std::printf("bee %g %g  velocity %g %g  heading %g  current cell %d\n", h.beeX, h.beeY, h.beeVelX, h.beeVelY,
              h.beeHeading, h.currentCell);
  std::printf("lives %d  marked bombs %d  bombs %d  flowers %d taken %d  road left %d\n", h.lives, h.markedBombs,
              h.bombCount, h.flowerCount, h.flowersTaken, h.roadLeft);
  std::printf("won %d  dead %d  bomb event %d  flower event %d\n", h.won, h.dead, h.bombEvent, h.flowerEvent);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE.map\n", argv[0]);
    return 2;
  }
  const std::string path = argv[1];
  std::vector<char> map;
  if (!readFile(path, map) || map.size() < MapHeaderSize) {
    std::fprintf(stderr, "%s: not a map file\n", path.c_str());
    return 1;
  }
  const HexBoard header = recordAt<HexBoard>(map, 0);
  const long count = header.cellCount;
  if (count < 0 || map.size() != MapHeaderSize + MapBytesPerCell * count) {
    std::fprintf(stderr, "%s: %ld cells do not match the file's %zu bytes\n", path.c_str(), count, map.size());
    return 1;
  }
  std::vector<char> triggers;
  const bool hasTriggers = readFile(path + ".trg", triggers);
  if (hasTriggers && triggers.size() < sizeof(TriggerRecord) * count) {
    std::fprintf(stderr, "%s.trg: shorter than %ld records\n", path.c_str(), count);
    return 1;
  }

  printHeader(header);
  std::printf("index row column x y content open flagged flower mark item%s\n",
              hasTriggers ? " | active arrow briefing link value" : "");
  const size_t marks = MapHeaderSize + sizeof(HexCell) * count;
  const size_t items = marks + sizeof(int32_t) * count;
  for (long i = 0; i < count; ++i) {
    const HexCell cell = recordAt<HexCell>(map, MapHeaderSize + sizeof(HexCell) * i);
    std::printf("%d %d %d %.4f %.4f %d %d %d %d %d %d", cell.index, cell.row, cell.column, cell.x, cell.y,
                cell.content, cell.open, cell.flagged, cell.flower, recordAt<int32_t>(map, marks + 4 * i),
                recordAt<int32_t>(map, items + 4 * i));
    if (hasTriggers) {
      const TriggerRecord t = recordAt<TriggerRecord>(triggers, sizeof(TriggerRecord) * i);
      std::printf(" | %d %d %d %d %d", t.active, t.arrow, t.briefing, t.link, t.value);
    }
    std::printf("\n");
  }
  return 0;
}
