#pragma once
// What the player's actions and the bee's arrival do to the board. Points go
// to Play.levelScore; bombs, flowers and the end of the level are left as
// the board's event flags for the level's update to act on.
#include "game/board.h"

bool canEnter(const LevelBoard& board, int index);
// Left click: the hammer on a flagged cell, otherwise a route for the bee.
void clickAt(LevelBoard& board, float x, float y);
// Right click. The score for the flag is applied by the caller.
void toggleFlagAt(LevelBoard& board, float x, float y);
void useBinoculars(LevelBoard& board);
// Every frame, for the cell under the bee.
void pickUpItems(LevelBoard& board);
// The bee has reached the closed target of its route.
void enterCell(LevelBoard& board, int index);
