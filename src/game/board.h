#pragma once
// The one board of the program: a rectangle of hexagonal cells in rows, some
// of them holes, with the per-cell arrays of the level around it.
#include <cstdint>
#include <vector>

#include "game/level_records.h"

struct LevelBoard : HexBoard {
  std::vector<HexCell> cells;
  std::vector<int32_t> road;
  // Allocated once for the start-up board; their size is the most cells a
  // map may have.
  std::vector<int32_t> cellMarks;
  std::vector<int32_t> cellItems;
  std::vector<TriggerRecord> triggers;
  int32_t binoculars;
  int32_t hammers;
  int32_t difficulty;
};

extern LevelBoard Level;

constexpr float Cos30 = 0.8660254f;
constexpr float Tan30 = 0.5773503f;

// Neighbour directions as clock positions, in the order every loop visits them.
constexpr int Directions[6] = {1, 3, 5, 7, 9, 11};

// The start-up board: 37 x 31 with radius 1.0, which gives 410 cells.
constexpr float StartBoardWidth = 37.0f;
constexpr float StartBoardHeight = 31.0f;
constexpr int StartBoardCells = 410;

constexpr uint32_t StartColourTable[16] = {
    0xFF666666, 0xFFCCFF33, 0xFFFFFF33, 0xFFFFCC33, 0xFFFF9933, 0xFFFF6666, 0xFFCC0000, 0xFFFF0000,
    0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFFFFFFFF,
};

// Rows, cells and positions of a board, every cell closed with content 0.
void layoutBoard(LevelBoard& board, float originX, float originY, float width, float height, float radius);

void createBoard(LevelBoard& board, float originX, float originY, float width, float height, float radius, int bombs,
                 int flowers, int lives);

// The global Level at start-up, with its per-cell arrays.
void createLevel();

// A fresh road with room for two thirds of the cells.
void allocateRoad(LevelBoard& board);

int rowStart(const LevelBoard& board, int row);
int rowLength(const LevelBoard& board, int row);
bool inBoard(const LevelBoard& board, int index);
bool cellExists(const LevelBoard& board, int index);

int neighbour(const LevelBoard& board, int index, int direction);
int cellAt(const LevelBoard& board, float x, float y);
void computeNumbers(LevelBoard& board);
void openCell(LevelBoard& board, int index);
