#include "game/board.h"

#include <algorithm>

#include "game/board_generation.h"
#include "platform/random.h"

LevelBoard Level;

namespace {
int cellsForRows(int rows, int even, int odd) { return (rows / 2) * (even + odd) + (rows % 2) * even; }
}  // namespace

void layoutBoard(float originX, float originY, float width, float height, float radius) {
  const float k = radius * Cos30;
  Level.originX = originX;
  Level.originY = originY;
  Level.width = width;
  Level.height = height;
  Level.cellRadius = radius;
  Level.rowLenEven = static_cast<int32_t>(width / (2 * k));
  Level.rowLenOdd = static_cast<int32_t>((width - radius) / (2 * k));
  Level.rowCount = static_cast<int32_t>(height / (1.5f * radius));
  if (height - 1.5f * radius * Level.rowCount < 0.5f * radius) --Level.rowCount;
  Level.rowCount = std::max(Level.rowCount, 0);
  Level.rowLenEven = std::max(Level.rowLenEven, 0);
  Level.rowLenOdd = std::max(Level.rowLenOdd, 0);
  Level.cellCount = cellsForRows(Level.rowCount, Level.rowLenEven, Level.rowLenOdd);

  Level.cells.assign(Level.cellCount, HexCell{});
  int index = 0;
  for (int r = 0; r < Level.rowCount; ++r) {
    for (int j = 0; j < rowLength(r); ++j, ++index) {
      HexCell& cell = Level.cells[index];
      cell.x = originX + static_cast<float>(2 * j + 1 + r % 2) * k;
      cell.y = originY + radius * (1.5f * static_cast<float>(r) + 1.0f);
      cell.index = index;
      cell.row = r;
      cell.column = j;
    }
  }
}

void createBoard(float originX, float originY, float width, float height, float radius, int bombs, int flowers,
                 int lives) {
  layoutBoard(originX, originY, width, height, radius);
  while (Level.cellCount <= bombs + flowers + 1 && (bombs > 0 || flowers > 0)) {
    if (bombs > 0)
      --bombs;
    else
      --flowers;
  }
  bombs = std::max(bombs, 0);
  flowers = std::max(flowers, 0);

  allocateRoad();
  Level.currentCell = -1;
  Level.beeVelX = Level.beeVelY = Level.beeHeading = Level.reserved40 = 0;
  Level.beeX = Level.beeY = 0;
  Level.lives = lives;
  Level.reserved80 = lives;
  Level.flowersTaken = 0;
  Level.roadLeft = 0;
  Level.won = Level.dead = Level.bombEvent = Level.flowerEvent = 0;
  std::copy(std::begin(StartColourTable), std::end(StartColourTable), Level.colourTable);
  Level.bombCount = bombs;
  Level.flowerCount = flowers;

  crtSrandFromTime();
  placeBombs(bombs);
  computeNumbers();
  chooseStartCell();
  Level.flowerCount = placeFlowers(flowers);
}

void createLevel() {
  createBoard(0, 0, StartBoardWidth, StartBoardHeight, 1.0f, 1, 0, 3);
  Level.cellMarks.assign(Level.cellCount, NoMark);
  Level.cellItems.assign(Level.cellCount, ItemNone);
  Level.triggers.assign(Level.cellCount, TriggerRecord{0, 0, 0, 0, -1, 0});
  Level.binoculars = 0;
  Level.hammers = 0;
}

void allocateRoad() {
  const int room = static_cast<int>(static_cast<float>(Level.cellCount) * 0.6666667f);
  Level.road.assign(std::max(room, 0), 0);
}

int rowLength(int row) { return row % 2 == 0 ? Level.rowLenEven : Level.rowLenOdd; }

int rowStart(int row) { return cellsForRows(row, Level.rowLenEven, Level.rowLenOdd); }

bool inBoard(int index) { return index >= 0 && index < Level.cellCount && index < static_cast<int>(Level.cells.size()); }

bool cellExists(int index) { return inBoard(index) && Level.cells[index].content >= 0; }

int neighbour(int index, int direction) {
  if (!inBoard(index)) return -1;
  const HexCell& cell = Level.cells[index];
  const int r = cell.row, col = cell.column, p = r % 2;
  const int even = Level.rowLenEven, odd = Level.rowLenOdd;
  const bool lastColumnBlocked = (p == 0 && col == even - 1 && odd != even) || (p == 1 && col == odd - 1 && odd == even);
  const bool lastRow = r == Level.rowCount - 1;
  int candidate = -1;
  switch (direction) {
    case 1:
      if (r == 0 || lastColumnBlocked) return -1;
      candidate = p == 0 ? index - odd : index - even + 1;
      break;
    case 3:
      if (col >= rowLength(r) - 1) return -1;
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
  return cellExists(candidate) ? candidate : -1;
}

int cellAt(float x, float y) {
  const float radius = Level.cellRadius;
  const float halfWidth = radius * Cos30;
  for (int i = 0; i < Level.cellCount && i < static_cast<int>(Level.cells.size()); ++i) {
    const HexCell& cell = Level.cells[i];
    if (cell.content < 0) continue;
    const float dx = x - cell.x, dy = y - cell.y;
    if (dy < dx * Tan30 + radius && dy > dx * Tan30 - radius && dy > -dx * Tan30 - radius &&
        dy < radius - dx * Tan30 && x < cell.x + halfWidth && x > cell.x - halfWidth)
      return i;
  }
  return -1;
}

void computeNumbers() {
  for (int i = 0; i < Level.cellCount; ++i) {
    int& content = Level.cells[i].content;
    if (content >= 1 && content <= 6) content = 0;
  }
  for (int i = 0; i < Level.cellCount; ++i) {
    if (Level.cells[i].content != CellBomb) continue;
    for (int direction : Directions) {
      int n = neighbour(i, direction);
      if (n >= 0 && Level.cells[n].content != CellBomb) ++Level.cells[n].content;
    }
  }
}

void openCell(int index) {
  if (inBoard(index)) Level.cells[index].open = 1;
}
