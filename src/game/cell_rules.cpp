#include "game/cell_rules.h"

#include "game/board.h"
#include "game/play_state.h"
#include "game/route.h"

bool canEnter(int index) {
  if (!cellExists(index)) return false;
  const HexCell& cell = Level.cells[index];
  if (cell.flagged) return false;
  if (cell.open) return true;
  for (int direction : Directions) {
    const int n = neighbour(index, direction);
    if (n >= 0 && Level.cells[n].open) return true;
  }
  return false;
}

void clickAt(float x, float y) {
  const int target = cellAt(x, y);
  if (target < 0) return;
  HexCell& cell = Level.cells[target];
  if (cell.flagged && Level.hammers >= 1) {
    cell.open = 1;
    cell.flagged = 0;
    Play.levelScore += 500;
    --Level.hammers;
    return;
  }
  sendBeeTo(x, y);
}

void toggleFlagAt(float x, float y) {
  const int target = cellAt(x, y);
  if (target < 0) return;
  HexCell& cell = Level.cells[target];
  if (cell.open || cell.flower) return;
  cell.flagged = !cell.flagged;
}

void useBinoculars() {
  if (Level.binoculars < 1 || !cellExists(Level.currentCell)) return;
  for (int direction : Directions) {
    const int n = neighbour(Level.currentCell, direction);
    if (n < 0) continue;
    HexCell& cell = Level.cells[n];
    if (cell.content == CellBomb) {
      cell.flagged = 1;
    } else if (!cell.flower) {
      // A wrong flag goes with the opening: an open cell is never flagged.
      cell.open = 1;
      cell.flagged = 0;
    }
  }
  --Level.binoculars;
  Play.levelScore += 400;
}

void pickUpItems() {
  const int index = Level.currentCell;
  if (!inBoard(index) || index >= static_cast<int>(Level.cellItems.size()) ||
      index >= static_cast<int>(Level.cellMarks.size()))
    return;
  if (Level.cellMarks[index] >= 0) Level.cellMarks[index] = NoMark;
  int& item = Level.cellItems[index];
  if (item == ItemBinoculars) {
    ++Level.binoculars;
    Play.levelScore += 200;
    item = ItemNone;
  } else if (item == ItemHammer) {
    ++Level.hammers;
    Play.levelScore += 300;
    item = ItemNone;
  }
}

void enterCell(int index) {
  if (!cellExists(index)) return;
  HexCell& cell = Level.cells[index];
  cell.open = 1;
  if (cell.content >= 1 && cell.content <= 6) Play.levelScore += 100 * cell.content;
  if (cell.content == CellBomb) {
    --Level.lives;
    Level.bombEvent = 1;
    if (Level.lives < 1) Level.dead = 1;
  }
  if (cell.flower) {
    ++Level.flowersTaken;
    Level.flowerEvent = 1;
    if (Level.flowersTaken >= Level.flowerCount) Level.won = 1;
  }
}
