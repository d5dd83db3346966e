#pragma once
// The beginning and the ways out of an attempt at a level.
#include <cstdint>

constexpr int TrainingLevelIndex = 0;

// Begins an attempt at level 0 .. 8 (0 is the training).
void startLevel(int levelIndex);
// The same level again, from the results screens and the in-game menu.
void replayLevel();
// On from a won level or the training: records the result, saves the
// profiles and opens the world map at the next island.
void finishLevel();
// Back to the world map from a lost level, recording nothing.
void leaveToMap();

// Puts the bee of the menu background in its place.
void placeMenuBee();
// Fills the menus' links to the round: the play screen, replaying and the
// menu's bee.
void linkPlayScreens();
