#include "game/board_generation.h"

#include <algorithm>

#include "game/board.h"
#include "platform/random.h"

namespace {
int randomIndex(int range) { return crtRand() % range; }

// Picks random cells until `count` free ones were taken. A cell that is free
// stays free until taken, and `count` never exceeds the free cells, so the
// random search ends; the scan after many misses only makes that obvious.
template <class IsFree, class Take>
int placeRandomly(int count, IsFree isFree, Take take) {
  const int cells = Level.cellCount;
  int free = 0;
  for (int i = 0; i < cells; ++i)
    if (isFree(i)) ++free;
  count = std::clamp(count, 0, free);
  int placed = 0;
  for (long tries = 0; placed < count && tries < 1000L + 100L * cells; ++tries) {
    int i = randomIndex(cells);
    if (!isFree(i)) continue;
    take(i);
    ++placed;
  }
  for (int i = 0; i < cells && placed < count; ++i) {
    if (!isFree(i)) continue;
    take(i);
    ++placed;
  }
  return placed;
}

bool isBomb(int i) { return Level.cells[i].content == CellBomb; }
bool isHole(int i) { return Level.cells[i].content < 0; }

// Runs of existing neighbours around the ring of six directions.
int neighbourRuns(int index) {
  int missing = -1;
  for (int d = 0; d < 6; ++d)
    if (neighbour(index, Directions[d]) < 0) missing = d;
  if (missing < 0) return 1;
  int runs = 0;
  bool previousExists = false;
  for (int step = 1; step <= 6; ++step) {
    bool exists = neighbour(index, Directions[(missing + step) % 6]) >= 0;
    if (exists && !previousExists) ++runs;
    previousExists = exists;
  }
  return runs;
}

int existingNeighbours(int index) {
  int count = 0;
  for (int direction : Directions)
    if (neighbour(index, direction) >= 0) ++count;
  return count;
}

void placeStartCell(int index) {
  Level.currentCell = index;
  HexCell& cell = Level.cells[index];
  cell.open = 1;
  Level.beeX = cell.x;
  Level.beeY = cell.y;
  Level.beeVelX = Level.beeVelY = Level.beeHeading = Level.reserved40 = 0;
}
}  // namespace

int placeBombs(int count) {
  int placed = placeRandomly(
      count,
      [](int i) { return !isBomb(i) && !isHole(i) && i != Level.currentCell && !Level.cells[i].flower; },
      [](int i) { Level.cells[i].content = CellBomb; });
  Level.bombCount = placed;
  return placed;
}

int placeFlowers(int count) {
  return placeRandomly(
      count,
      [](int i) { return i != Level.currentCell && !Level.cells[i].flower && !isBomb(i) && !isHole(i); },
      [](int i) { Level.cells[i].flower = 1; });
}

void placeItems(int countOfEach) {
  for (int item : {ItemBinoculars, ItemHammer}) {
    placeRandomly(
        countOfEach,
        [](int i) {
          return !isBomb(i) && !isHole(i) && i != Level.currentCell && !Level.cells[i].flower &&
                 Level.cellItems[i] == ItemNone;
        },
        [item](int i) { Level.cellItems[i] = item; });
  }
}

void thinBombs() {
  for (int i = 0; i < Level.cellCount; ++i) {
    if (!isBomb(i) || existingNeighbours(i) >= 5) continue;
    if (neighbourRuns(i) >= 2) {
      Level.cells[i].content = 0;
      --Level.bombCount;
    }
  }
  computeNumbers();
}

void chooseStartCell() {
  const int cells = Level.cellCount;
  int smallest = CellBomb;
  int candidates = 0;
  for (int i = 0; i < cells; ++i) {
    const HexCell& cell = Level.cells[i];
    if (cell.content < 0 || cell.flower) continue;
    if (cell.content < smallest) {
      smallest = cell.content;
      candidates = 0;
    }
    if (cell.content == smallest) ++candidates;
  }
  if (smallest < CellBomb) {
    int chosen = randomIndex(candidates);
    for (int i = 0; i < cells; ++i) {
      const HexCell& cell = Level.cells[i];
      if (cell.content != smallest || cell.flower) continue;
      if (chosen-- == 0) {
        placeStartCell(i);
        return;
      }
    }
  }
  if (cells < 1) {
    Level.currentCell = -1;
    return;
  }
  // Every flowerless cell is a bomb: clear one. A flower cell would make its
  // flower impossible to collect, so those are passed over.
  int index = randomIndex(cells);
  for (int tries = 0; Level.cells[index].flower && tries < 100 * cells; ++tries) index = randomIndex(cells);
  for (int i = 0; i < cells && Level.cells[index].flower; ++i) index = i;
  Level.cells[index].content = 0;
  --Level.bombCount;
  placeStartCell(index);
}

void regenerate() {
  int existing = 0;
  for (int i = 0; i < Level.cellCount; ++i) {
    HexCell& cell = Level.cells[i];
    if (cell.content > 0) cell.content = 0;
    cell.flagged = cell.flower = cell.open = 0;
    Level.cellItems[i] = ItemNone;
    Level.cellMarks[i] = NoMark;
    if (cell.content >= 0) ++existing;
  }
  static constexpr int Divisors[5] = {15, 10, 5, 3, 2};
  const int bombs = existing / Divisors[std::clamp(Level.difficulty, 0, 4)];
  placeBombs(bombs);
  computeNumbers();
  Level.flowerCount = placeFlowers(10);
  thinBombs();
  chooseStartCell();
  placeItems(2);
}

int difficultyForLevel(int levelIndex) {
  if (levelIndex <= 0) return 0;
  if (levelIndex <= 3) return 1;
  if (levelIndex <= 5) return 2;
  if (levelIndex <= 7) return 3;
  return 4;
}
