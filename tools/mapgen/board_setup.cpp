#include "board_setup.h"

#include <algorithm>

#include "game/board.h"

void prepareBoard() {
  static_cast<HexBoard&>(Level) = HexBoard{};
  layoutBoard(Level, 0, 0, StartBoardWidth, StartBoardHeight, 1.0f);
  Level.cellMarks.assign(Level.cellCount, NoMark);
  Level.cellItems.assign(Level.cellCount, ItemNone);
  Level.triggers.assign(Level.cellCount, TriggerRecord{0, 0, 0, 0, -1, 0});
  std::copy(std::begin(StartColourTable), std::end(StartColourTable), Level.colourTable);
  Level.lives = 4;
  Level.currentCell = -1;
}

void finishHeader(int startCell) {
  Level.currentCell = startCell;
  Level.beeX = Level.cells[startCell].x;
  Level.beeY = Level.cells[startCell].y;
  Level.bombCount = 0;
  Level.flowerCount = 0;
  for (const HexCell& cell : Level.cells) {
    if (cell.content == CellBomb) ++Level.bombCount;
    if (cell.flower) ++Level.flowerCount;
  }
}

std::vector<int> connectedCells(int from, const std::vector<int>& barriers) {
  std::vector<int> found;
  if (!cellExists(Level, from)) return found;
  std::vector<char> seen(Level.cellCount, 0);
  for (int barrier : barriers)
    if (inBoard(Level, barrier)) seen[barrier] = 1;
  seen[from] = 1;
  found.push_back(from);
  for (size_t next = 0; next < found.size(); ++next) {
    for (int direction : Directions) {
      const int n = neighbour(Level, found[next], direction);
      if (n < 0 || seen[n]) continue;
      seen[n] = 1;
      found.push_back(n);
    }
  }
  return found;
}

void keepLargestIsland() {
  std::vector<int> largest;
  std::vector<char> done(Level.cellCount, 0);
  for (int i = 0; i < Level.cellCount; ++i) {
    if (done[i] || !cellExists(Level, i)) continue;
    std::vector<int> island = connectedCells(i);
    for (int cell : island) done[cell] = 1;
    if (island.size() > largest.size()) largest = island;
  }
  std::vector<char> keep(Level.cellCount, 0);
  for (int cell : largest) keep[cell] = 1;
  for (int i = 0; i < Level.cellCount; ++i)
    if (!keep[i]) Level.cells[i].content = CellHole;
}
