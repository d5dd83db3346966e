#pragma once
// The screens a round ends on: "stat" after a win, with the level score
// counting up, the total over all levels, a medal and the rewards of the win,
// and "stat_lose" after a loss. Both freeze the board and hide the round's
// display until "replay" or "next" leaves them.
#include <cstdint>

enum Medal : int32_t { MedalBronze = 0, MedalSilver = 1, MedalGold = 2 };

// Above 1500000 gold, above 100000 silver, otherwise bronze.
int32_t medalForScore(int32_t levelScore);
// "medal_bronze", "medal_silver" or "medal_gold"; null for any other value.
const char* medalTexture(int32_t medal);

void showWinScreen();
void showLoseScreen();

// The level just finished (levelNumber has already moved past it): its score
// and medal into the current profile, the opened levels raised to include the
// next one, and the profiles and options written.
void recordResult();

// The medal's sparkles: started when the medal has faded in, and put out when
// the results are left (their updates stop with the round).
void startMedalSparkles();
void stopMedalSparkles();
