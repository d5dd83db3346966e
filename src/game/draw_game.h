#pragma once
// The draw callback of the frame mode "game": sky, island, board, bee,
// markers, particles and the round's display.
void drawGame();
