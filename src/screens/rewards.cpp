#include "screens/rewards.h"

#include <algorithm>
#include <string>

#include "game/board.h"
#include "game/play_state.h"
#include "profile/profiles.h"
#include "ui/widget_list.h"

namespace {

constexpr int kGold = 2;
constexpr int kEnoughForSuperReward = 7;

template <typename Test>
bool EveryCell(Test test) {
  size_t count = static_cast<size_t>(std::max(Level.cellCount, 0));
  count = std::min(count, Level.cells.size());
  for (size_t i = 0; i < count; ++i)
    if (!test(Level.cells[i])) return false;
  return true;
}

void ShowPicture(int number) { FadeIn(FindImage(NumberedKey("reward", number))); }

// Levels whose flag is set; any value but 0 counts once, whatever the file holds.
int CountSet(const ConfigNode& profile, const char* stem) {
  int count = 0;
  for (int level = 1; level <= ProfileLevels; ++level)
    if (profile.Get(NumberedKey(stem, level)).AsInt() != 0) ++count;
  return count;
}

int CountGold(const ConfigNode& profile) {
  int count = 0;
  for (int level = 1; level <= ProfileLevels; ++level)
    if (profile.Get(NumberedKey("reward", level)).AsInt() == kGold) ++count;
  return count;
}

// Sets a one-time reward when the count reaches the mark and it is not yet
// held; true when it was granted now.
bool GrantOnce(ConfigNode& profile, const char* key, int count) {
  ConfigValue& held = profile.Get(key);
  if (count < kEnoughForSuperReward || held.AsInt() != 0) return false;
  held.SetInt(1);
  return true;
}

}  // namespace

bool ExplorerHolds() {
  return EveryCell([](const HexCell& cell) { return cell.content < 0 || cell.content >= CellBomb || cell.open; });
}

bool SapperHolds() {
  return EveryCell([](const HexCell& cell) { return cell.content != CellBomb || (cell.flagged && !cell.open); });
}

void GrantRewards() {
  ConfigNode& profile = CurrentProfileNode();
  int level = Play.levelNumber;
  for (int number = 1; number <= 6; ++number) FadeAway(FindImage(NumberedKey("reward", number)));

  ConfigValue& training = profile.Get("training");
  if (level == 1 && training.AsInt() == 0) {
    training.SetInt(1);
    ShowPicture(1);
  }
  if (ExplorerHolds()) {
    profile.Get(NumberedKey("explorer", level)).SetInt(1);
    ShowPicture(2);
  }
  if (SapperHolds()) {
    profile.Get(NumberedKey("sapper", level)).SetInt(1);
    ShowPicture(3);
  }
  if (GrantOnce(profile, "superexplorer", CountSet(profile, "explorer"))) ShowPicture(4);
  if (GrantOnce(profile, "supersapper", CountSet(profile, "sapper"))) ShowPicture(5);
  // The medal of this level is not recorded yet: it counts from the next win.
  if (GrantOnce(profile, "champion", CountGold(profile))) ShowPicture(6);
}
