#include "game/scoring.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "game/board.h"
#include "game/play_state.h"

namespace {
constexpr int32_t BombPenalty = 1000;
constexpr int32_t FlowerPoints = 400;
constexpr int32_t FlagPoints = 40;
// Doubling stops here so that a map with very many flowers cannot overflow.
constexpr int32_t MultiplierLimit = 1 << 30;

void addPoints(int64_t points) {
  const int64_t sum = static_cast<int64_t>(Play.levelScore) + points;
  Play.levelScore = static_cast<int32_t>(
      std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}
}  // namespace

void scoreBomb() {
  Play.levelScore = std::max(Play.levelScore - BombPenalty, 0);
  Play.multiplier = 1;
}

int scoreFlower() {
  const int k = Play.flowerStreak + 1;
  addPoints(static_cast<int64_t>(k) * Play.multiplier * FlowerPoints);
  Play.flowerStreak = k;
  if (Play.multiplier < MultiplierLimit) Play.multiplier *= 2;
  return k;
}

void scoreFlagToggle(int cell) {
  if (!cellExists(Level, cell)) return;
  const HexCell& target = Level.cells[cell];
  if (target.open || target.flower) return;
  Play.levelScore += target.flagged ? -FlagPoints : FlagPoints;
}

int32_t stepTowards(int32_t shown, int32_t target) {
  const int64_t difference = static_cast<int64_t>(target) - shown;
  int64_t step = difference / 100;
  if (step == 0 && difference > 0) step = 1;
  if (step == 0 && difference < 0) step = -1;
  return static_cast<int32_t>(shown + step);
}

std::string scoreText(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%8d", value);
  std::string result = text;
  std::replace(result.begin(), result.end(), ' ', '0');
  return result;
}
