#include "screens/results_screen.h"

#include <string>

#include "game/play_state.h"
#include "platform/heap.h"
#include "profile/profiles.h"
#include "render/particles.h"
#include "screens/profile_actions.h"
#include "screens/rewards.h"
#include "screens/start_level.h"
#include "ui/layout_loader.h"
#include "ui/screen_wiring.h"
#include "ui/widget_list.h"

namespace {
constexpr int32_t SilverAbove = 100000;
constexpr int32_t GoldAbove = 1500000;

void freezeBoard() {
  Play.displayedScore = 0;
  Play.resultsShown = 1;
  Play.inputBlocked = 1;
  // The round is over: what it freed goes back to the system.
  AskToGiveBackFreedHeap();
}
}  // namespace

int32_t medalForScore(int32_t levelScore) {
  if (levelScore > GoldAbove) return MedalGold;
  if (levelScore > SilverAbove) return MedalSilver;
  return MedalBronze;
}

const char* medalTexture(int32_t medal) {
  switch (medal) {
    case MedalBronze:
      return "medal_bronze";
    case MedalSilver:
      return "medal_silver";
    case MedalGold:
      return "medal_gold";
    default:
      return nullptr;
  }
}

void showWinScreen() {
  stopMedalSparkles();
  freezeBoard();
  ClearWidgets();
  LoadLayout("stat");
  ImageWidget& medal = FindImage("medal");
  medal.onShown = startMedalSparkles;
  Play.medal = medalForScore(Play.levelScore);
  FindImage("colba").texture = NumberedName("k_", Play.levelNumber);
  medal.texture = medalTexture(Play.medal);
  OnAction("next", finishLevel);
  OnAction("replay", replayLevel);
  GrantRewards();
}

void showLoseScreen() {
  freezeBoard();
  ClearWidgets();
  LoadLayout("stat_lose");
  OnAction("next", leaveToMap);
  OnAction("replay", replayLevel);
}

void recordResult() { SaveProgress(); }

void startMedalSparkles() { Particles.MedalParticles.start(); }

void stopMedalSparkles() { Particles.MedalParticles.stop(); }
