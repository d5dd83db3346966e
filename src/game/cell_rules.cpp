#include "game/cell_rules.h"

#include "game/board.h"
#include "game/play_state.h"
#include "game/route.h"

bool canEnter(const LevelBoard& board, int index) {
  if (!cellExists(board, index)) return false;
  const HexCell& cell = board.cells[index];
  if (cell.flagged) return false;
  if (cell.open) return true;
  for (int direction : Directions) {
    const int n = neighbour(board, index, direction);
    if (n >= 0 && board.cells[n].open) return true;
  }
  return false;
}

void clickAt(LevelBoard& board, float x, float y) {
  const int target = cellAt(board, x, y);
  if (target < 0) return;
  HexCell& cell = board.cells[target];
  if (cell.flagged && board.hammers >= 1) {
    cell.open = 1;
    cell.flagged = 0;
    Play.levelScore += 500;
    --board.hammers;
    return;
  }
  sendBeeTo(board, x, y);
}

void toggleFlagAt(LevelBoard& board, float x, float y) {
  const int target = cellAt(board, x, y);
  if (target < 0) return;
  HexCell& cell = board.cells[target];
  if (cell.open || cell.flower) return;
  cell.flagged = !cell.flagged;
}

void useBinoculars(LevelBoard& board) {
  if (board.binoculars < 1 || !cellExists(board, board.currentCell)) return;
  for (int direction : Directions) {
    const int n = neighbour(board, board.currentCell, direction);
    if (n < 0) continue;
    HexCell& cell = board.cells[n];
    if (cell.content == CellBomb) {
      cell.flagged = 1;
    } else if (!cell.flower) {
      // A wrong flag goes with the opening: an open cell is never flagged.
      cell.open = 1;
      cell.flagged = 0;
    }
  }
  --board.binoculars;
  Play.levelScore += 400;
}

void pickUpItems(LevelBoard& board) {
  const int index = board.currentCell;
  if (!inBoard(board, index) || index >= static_cast<int>(board.cellItems.size()) ||
      index >= static_cast<int>(board.cellMarks.size()))
    return;
  if (board.cellMarks[index] >= 0) board.cellMarks[index] = NoMark;
  int& item = board.cellItems[index];
  if (item == ItemBinoculars) {
    ++board.binoculars;
    Play.levelScore += 200;
    item = ItemNone;
  } else if (item == ItemHammer) {
    ++board.hammers;
    Play.levelScore += 300;
    item = ItemNone;
  }
}

void enterCell(LevelBoard& board, int index) {
  if (!cellExists(board, index)) return;
  HexCell& cell = board.cells[index];
  cell.open = 1;
  if (cell.content >= 1 && cell.content <= 6) Play.levelScore += 100 * cell.content;
  if (cell.content == CellBomb) {
    --board.lives;
    board.bombEvent = 1;
    if (board.lives < 1) board.dead = 1;
  }
  if (cell.flower) {
    ++board.flowersTaken;
    board.flowerEvent = 1;
    if (board.flowersTaken >= board.flowerCount) board.won = 1;
  }
}
