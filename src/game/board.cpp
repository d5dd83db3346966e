#include "game/board.h"

#include <algorithm>

#include "game/board_generation.h"
#include "platform/random.h"

LevelBoard Level;

namespace {
int cellsForRows(int rows, int even, int odd) { return (rows / 2) * (even + odd) + (rows % 2) * even; }
}  // namespace

void layoutBoard(LevelBoard& board, float originX, float originY, float width, float height, float radius) {
  const float k = radius * Cos30;
  board.originX = originX;
  board.originY = originY;
  board.width = width;
  board.height = height;
  board.cellRadius = radius;
  board.rowLenEven = static_cast<int32_t>(width / (2 * k));
  board.rowLenOdd = static_cast<int32_t>((width - radius) / (2 * k));
  board.rowCount = static_cast<int32_t>(height / (1.5f * radius));
  if (height - 1.5f * radius * board.rowCount < 0.5f * radius) --board.rowCount;
  board.rowCount = std::max(board.rowCount, 0);
  board.rowLenEven = std::max(board.rowLenEven, 0);
  board.rowLenOdd = std::max(board.rowLenOdd, 0);
  board.cellCount = cellsForRows(board.rowCount, board.rowLenEven, board.rowLenOdd);

  board.cells.assign(board.cellCount, HexCell{});
  int index = 0;
  for (int r = 0; r < board.rowCount; ++r) {
    for (int j = 0; j < rowLength(board, r); ++j, ++index) {
      HexCell& cell = board.cells[index];
      cell.x = originX + static_cast<float>(2 * j + 1 + r % 2) * k;
      cell.y = originY + radius * (1.5f * static_cast<float>(r) + 1.0f);
      cell.index = index;
      cell.row = r;
      cell.column = j;
    }
  }
}

void createBoard(LevelBoard& board, float originX, float originY, float width, float height, float radius, int bombs,
                 int flowers, int lives) {
  layoutBoard(board, originX, originY, width, height, radius);
  while (board.cellCount <= bombs + flowers + 1 && (bombs > 0 || flowers > 0)) {
    if (bombs > 0)
      --bombs;
    else
      --flowers;
  }
  bombs = std::max(bombs, 0);
  flowers = std::max(flowers, 0);

  allocateRoad(board);
  board.currentCell = -1;
  board.beeVelX = board.beeVelY = board.beeHeading = board.reserved40 = 0;
  board.beeX = board.beeY = 0;
  board.lives = lives;
  board.reserved80 = lives;
  board.flowersTaken = 0;
  board.roadLeft = 0;
  board.won = board.dead = board.bombEvent = board.flowerEvent = 0;
  std::copy(std::begin(StartColourTable), std::end(StartColourTable), board.colourTable);
  board.bombCount = bombs;
  board.flowerCount = flowers;

  crtSrandFromTime();
  placeBombs(board, bombs);
  computeNumbers(board);
  chooseStartCell(board);
  board.flowerCount = placeFlowers(board, flowers);
}

void createLevel() {
  createBoard(Level, 0, 0, StartBoardWidth, StartBoardHeight, 1.0f, 1, 0, 3);
  Level.cellMarks.assign(Level.cellCount, NoMark);
  Level.cellItems.assign(Level.cellCount, ItemNone);
  Level.triggers.assign(Level.cellCount, TriggerRecord{0, 0, 0, 0, -1, 0});
  Level.binoculars = 0;
  Level.hammers = 0;
}

void allocateRoad(LevelBoard& board) {
  const int room = static_cast<int>(static_cast<float>(board.cellCount) * 0.6666667f);
  board.road.assign(std::max(room, 0), 0);
}

int rowLength(const LevelBoard& board, int row) { return row % 2 == 0 ? board.rowLenEven : board.rowLenOdd; }

int rowStart(const LevelBoard& board, int row) { return cellsForRows(row, board.rowLenEven, board.rowLenOdd); }

bool inBoard(const LevelBoard& board, int index) {
  return index >= 0 && index < board.cellCount && index < static_cast<int>(board.cells.size());
}

bool cellExists(const LevelBoard& board, int index) { return inBoard(board, index) && board.cells[index].content >= 0; }

int neighbour(const LevelBoard& board, int index, int direction) {
  if (!inBoard(board, index)) return -1;
  const HexCell& cell = board.cells[index];
  const int r = cell.row, col = cell.column, p = r % 2;
  const int even = board.rowLenEven, odd = board.rowLenOdd;
  const bool lastColumnBlocked = (p == 0 && col == even - 1 && odd != even) || (p == 1 && col == odd - 1 && odd == even);
  const bool lastRow = r == board.rowCount - 1;
  int candidate = -1;
  switch (direction) {
    case 1:
      if (r == 0 || lastColumnBlocked) return -1;
      candidate = p == 0 ? index - odd : index - even + 1;
      break;
    case 3:
      if (col >= rowLength(board, r) - 1) return -1;
      candidate = index + 1;
      break;
    case 5:
      if (lastRow || lastColumnBlocked) return -1;
      candidate = p == 0 ? index + even : index + odd + 1;
      break;
    case 7:
      if (lastRow || (p == 0 && col == 0)) return -1;
      candidate = p == 0 ? index + even - 1 : index + odd;
      break;
    case 9:
      if (col == 0) return -1;
      candidate = index - 1;
      break;
    case 11:
      if (r == 0 || (p == 0 && col == 0)) return -1;
      candidate = p == 0 ? index - odd - 1 : index - even;
      break;
    default:
      return -1;
  }
  return cellExists(board, candidate) ? candidate : -1;
}

int cellAt(const LevelBoard& board, float x, float y) {
  const float radius = board.cellRadius;
  const float halfWidth = radius * Cos30;
  for (int i = 0; i < board.cellCount && i < static_cast<int>(board.cells.size()); ++i) {
    const HexCell& cell = board.cells[i];
    if (cell.content < 0) continue;
    const float dx = x - cell.x, dy = y - cell.y;
    if (dy < dx * Tan30 + radius && dy > dx * Tan30 - radius && dy > -dx * Tan30 - radius &&
        dy < radius - dx * Tan30 && x < cell.x + halfWidth && x > cell.x - halfWidth)
      return i;
  }
  return -1;
}

void computeNumbers(LevelBoard& board) {
  for (int i = 0; i < board.cellCount; ++i) {
    int& content = board.cells[i].content;
    if (content >= 1 && content <= 6) content = 0;
  }
  for (int i = 0; i < board.cellCount; ++i) {
    if (board.cells[i].content != CellBomb) continue;
    for (int direction : Directions) {
      int n = neighbour(board, i, direction);
      if (n >= 0 && board.cells[n].content != CellBomb) ++board.cells[n].content;
    }
  }
}

void openCell(LevelBoard& board, int index) {
  if (inBoard(board, index)) board.cells[index].open = 1;
}
