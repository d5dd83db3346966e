#pragma once
// Points of an attempt that the level's update applies (the board rules add
// the rest themselves), and the counters that show them.
#include <cstdint>
#include <string>

// Bomb: -1000, not below 0, and the flower multiplier starts again at 1.
void scoreBomb();
// The next flower of the attempt: k x multiplier x 400, then the multiplier
// doubles. Returns k, the flower's number in the attempt.
int scoreFlower();
// Right click on a closed cell without a flower: +40 for a new flag, -40
// for one taken away.
void scoreFlagToggle(int cell);

// One step of a shown value towards its target: a hundredth of the
// difference, at least 1.
int32_t stepTowards(int32_t shown, int32_t target);

// Eight digits with leading zeros.
std::string scoreText(int32_t value);
