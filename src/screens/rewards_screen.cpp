#include <cstdio>

#include "profile/profiles.h"
#include "screens/menu_screens.h"
#include "ui/layout_loader.h"
#include "ui/screen_wiring.h"

namespace {

int LevelsHolding(const ConfigNode& profile, const char* stem) {
  int count = 0;
  for (int level = 1; level <= ProfileLevels; ++level)
    if (profile.Get(NumberedKey(stem, level)).AsInt() > 0) ++count;
  return count;
}

void ShowIfHeld(const ConfigNode& profile, const char* key, const char* image) {
  if (profile.Get(key).AsInt() > 0) FadeIn(FindImage(image));
}

// The picture and its "x n" count, for a reward held on some levels.
void ShowCount(int count, const char* image, const char* label) {
  if (count <= 0) return;
  FadeIn(FindImage(image));
  LabelWidget& counter = FindLabel(label);
  FadeIn(counter);
  char text[16];
  std::snprintf(text, sizeof text, "x %d", count);
  counter.text = text;
}

}  // namespace

void ShowRewards() {
  ClearWidgets();
  LoadLayout("rewards");
  for (const char* image : {"explorer", "sapper", "explorer_pro", "sapper_pro", "beginner", "champ"})
    FadeAway(FindImage(image));
  FadeAway(FindLabel("exp"));
  FadeAway(FindLabel("sap"));
  const ConfigNode& profile = CurrentProfileNode();
  ShowIfHeld(profile, "training", "beginner");
  ShowIfHeld(profile, "superexplorer", "explorer_pro");
  ShowIfHeld(profile, "supersapper", "sapper_pro");
  ShowIfHeld(profile, "champion", "champ");
  ShowCount(LevelsHolding(profile, "explorer"), "explorer", "exp");
  ShowCount(LevelsHolding(profile, "sapper"), "sapper", "sap");
  OnActionWithHoverSound("back", EnterMainMenu);
}
