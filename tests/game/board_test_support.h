#pragma once
// Boards built by hand for the rule tests: shapes, open areas and bombs set
// cell by cell, with the per-cell arrays sized as the game sizes them.
#include <initializer_list>

#include "game/board.h"
#include "game/play_state.h"

namespace boardtest {

// The start-up board without its random content: every cell closed and
// empty, no bee, arrays and counters reset.
inline void emptyBoard(float width = StartBoardWidth, float height = StartBoardHeight) {
  static_cast<HexBoard&>(Level) = HexBoard{};
  layoutBoard(0, 0, width, height, 1.0f);
  allocateRoad();
  Level.cellMarks.assign(Level.cellCount, NoMark);
  Level.cellItems.assign(Level.cellCount, ItemNone);
  Level.triggers.assign(Level.cellCount, TriggerRecord{0, 0, 0, 0, -1, 0});
  Level.currentCell = -1;
  Level.lives = 4;
  Level.binoculars = Level.hammers = Level.difficulty = 0;
  Play = PlayState{};
}

inline int cellIndex(int row, int column) { return rowStart(row) + column; }

inline HexCell& cell(int index) { return Level.cells[index]; }

inline void makeHoles(std::initializer_list<int> cells) {
  for (int i : cells) Level.cells[i].content = CellHole;
}

inline void openCells(std::initializer_list<int> cells) {
  for (int i : cells) Level.cells[i].open = 1;
}

inline void putBombs(std::initializer_list<int> cells) {
  for (int i : cells) Level.cells[i].content = CellBomb;
  computeNumbers();
}

// Puts the bee on an open cell.
inline void startOn(int index) {
  Level.currentCell = index;
  Level.cells[index].open = 1;
  Level.beeX = Level.cells[index].x;
  Level.beeY = Level.cells[index].y;
}

inline int bombNeighbours(int index) {
  int bombs = 0;
  for (int direction : Directions) {
    const int n = neighbour(index, direction);
    if (n >= 0 && Level.cells[n].content == CellBomb) ++bombs;
  }
  return bombs;
}

inline int countCells(bool (*test)(const HexCell&)) {
  int count = 0;
  for (int i = 0; i < Level.cellCount; ++i)
    if (test(Level.cells[i])) ++count;
  return count;
}

}  // namespace boardtest
