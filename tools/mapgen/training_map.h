#pragma once
// The training level: a designed board played as stored, with the trigger
// records that guide a new player through it.

// Fills Level with the training board, its items and triggers.
void buildTrainingMap();
