#pragma once
// Random content for a board's shape: bombs, numbers, flowers, items and the
// start cell. Each placement places what fits when free cells run short.

// Returns the number of bombs placed, which also becomes bombCount.
int placeBombs(int count);
// Returns the number of flowers placed.
int placeFlowers(int count);
void placeItems(int countOfEach);
void thinBombs();
void chooseStartCell();

// New content for the current shape by Level.difficulty.
void regenerate();

// 0 for the training, then 1, 1, 1, 2, 2, 3, 3, 4.
int difficultyForLevel(int levelIndex);
