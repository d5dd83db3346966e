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
int placeRandomly(LevelBoard& board, int count, IsFree isFree, Take take) {
  const int cells = board.cellCount;
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

bool isBomb(LevelBoard& board, int i) { return board.cells[i].content == CellBomb; }
bool isHole(LevelBoard& board, int i) { return board.cells[i].content < 0; }

// Runs of existing neighbours around the ring of six directions.
int neighbourRuns(LevelBoard& board, int index) {
  int missing = -1;
  for (int d = 0; d < 6; ++d)
    if (neighbour(board, index, Directions[d]) < 0) missing = d;
  if (missing < 0) return 1;
  int runs = 0;
  bool previousExists = false;
  for (int step = 1; step <= 6; ++step) {
    bool exists = neighbour(board, index, Directions[(missing + step) % 6]) >= 0;
    if (exists && !previousExists) ++runs;
    previousExists = exists;
  }
  return runs;
}

int existingNeighbours(LevelBoard& board, int index) {
  int count = 0;
  for (int direction : Directions)
    if (neighbour(board, index, direction) >= 0) ++count;
  return count;
}

void placeStartCell(LevelBoard& board, int index) {
  board.currentCell = index;
  HexCell& cell = board.cells[index];
  cell.open = 1;
  board.beeX = cell.x;
  board.beeY = cell.y;
  board.beeVelX = board.beeVelY = board.beeHeading = board.reserved40 = 0;
}
}  // namespace

int placeBombs(LevelBoard& board, int count) {
  int placed = placeRandomly(
      board, count,
      [&](int i) { return !isBomb(board, i) && !isHole(board, i) && i != board.currentCell && !board.cells[i].flower; },
      [&](int i) { board.cells[i].content = CellBomb; });
  board.bombCount = placed;
  return placed;
}

int placeFlowers(LevelBoard& board, int count) {
  return placeRandomly(
      board, count,
      [&](int i) { return i != board.currentCell && !board.cells[i].flower && !isBomb(board, i) && !isHole(board, i); },
      [&](int i) { board.cells[i].flower = 1; });
}

void placeItems(LevelBoard& board, int countOfEach) {
  for (int item : {ItemBinoculars, ItemHammer}) {
    placeRandomly(
        board, countOfEach,
        [&](int i) {
          return !isBomb(board, i) && !isHole(board, i) && i != board.currentCell && !board.cells[i].flower &&
                 board.cellItems[i] == ItemNone;
        },
        [&board, item](int i) { board.cellItems[i] = item; });
  }
}

void thinBombs(LevelBoard& board) {
  for (int i = 0; i < board.cellCount; ++i) {
    if (!isBomb(board, i) || existingNeighbours(board, i) >= 5) continue;
    if (neighbourRuns(board, i) >= 2) {
      board.cells[i].content = 0;
      --board.bombCount;
    }
  }
  computeNumbers(board);
}

void chooseStartCell(LevelBoard& board) {
  const int cells = board.cellCount;
  int smallest = CellBomb;
  int candidates = 0;
  for (int i = 0; i < cells; ++i) {
    const HexCell& cell = board.cells[i];
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
      const HexCell& cell = board.cells[i];
      if (cell.content != smallest || cell.flower) continue;
      if (chosen-- == 0) {
        placeStartCell(board, i);
        return;
      }
    }
  }
  if (cells < 1) {
    board.currentCell = -1;
    return;
  }
  // Every flowerless cell is a bomb: clear one. A flower cell would make its
  // flower impossible to collect, so those are passed over.
  int index = randomIndex(cells);
  for (int tries = 0; board.cells[index].flower && tries < 100 * cells; ++tries) index = randomIndex(cells);
  for (int i = 0; i < cells && board.cells[index].flower; ++i) index = i;
  board.cells[index].content = 0;
  --board.bombCount;
  placeStartCell(board, index);
}

void regenerate(LevelBoard& board) {
  int existing = 0;
  for (int i = 0; i < board.cellCount; ++i) {
    HexCell& cell = board.cells[i];
    if (cell.content > 0) cell.content = 0;
    cell.flagged = cell.flower = cell.open = 0;
    board.cellItems[i] = ItemNone;
    board.cellMarks[i] = NoMark;
    if (cell.content >= 0) ++existing;
  }
  static constexpr int Divisors[5] = {15, 10, 5, 3, 2};
  const int bombs = existing / Divisors[std::clamp(board.difficulty, 0, 4)];
  placeBombs(board, bombs);
  computeNumbers(board);
  board.flowerCount = placeFlowers(board, 10);
  thinBombs(board);
  chooseStartCell(board);
  placeItems(board, 2);
}

int difficultyForLevel(int levelIndex) {
  if (levelIndex <= 0) return 0;
  if (levelIndex <= 3) return 1;
  if (levelIndex <= 5) return 2;
  if (levelIndex <= 7) return 3;
  return 4;
}
