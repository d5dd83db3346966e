#pragma once
// Random content for a board's shape: bombs, numbers, flowers, items and the
// start cell. Each placement places what fits when free cells run short.
#include "game/board.h"

// Returns the number of bombs placed, which also becomes bombCount.
int placeBombs(LevelBoard& board, int count);
// Returns the number of flowers placed.
int placeFlowers(LevelBoard& board, int count);
void placeItems(LevelBoard& board, int countOfEach);
void thinBombs(LevelBoard& board);
void chooseStartCell(LevelBoard& board);

// New content for the current shape by Level.difficulty.
void regenerate(LevelBoard& board);

// 0 for the training, then 1, 1, 1, 2, 2, 3, 3, 4.
int difficultyForLevel(int levelIndex);
