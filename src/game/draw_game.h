#pragma once
// The draw callback of the frame mode "game": sky, island, board, bee,
// markers, particles and the status bar. Drawing changes nothing: the
// round's update prepares everything the frame shows.
#include "game/bee.h"
#include "game/board.h"
#include "game/play_state.h"
#include "game/training.h"

void drawRound(const LevelBoard& board, const PlayState& play, const Bee& bee, const TrainingState& training);
void drawGame();
