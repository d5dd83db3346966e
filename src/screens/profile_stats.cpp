#include "screens/profile_stats.h"

#include <algorithm>
#include <string>

#include "profile/profiles.h"
#include "screens/results_screen.h"
#include "ui/screen_wiring.h"
#include "ui/widget_list.h"

namespace {
constexpr const char* PanelImages[] = {"w1a", "w1b1", "w1b2"};
constexpr const char* PanelLabels[] = {"score", "levels", "rewards", "complete", "c_text", "s_text"};
}  // namespace

void showProfileStats(int slot) {
  if (slot < 0 || slot >= ProfileCount) return;
  const ConfigNode& profile = Profiles.ProfileSlots[slot];
  for (const char* name : PanelImages) FadeIn(FindImage(name));
  for (const char* name : PanelLabels) FadeIn(FindLabel(name));
  FindLabel("s_text").text = std::to_string(TotalScore(profile));
  // An entry for each level before the newest open one.
  const int entries = std::min(profile.Get("opened_maps").AsInt() - 1, ProfileLevels);
  int best = -1;
  for (int level = 1; level <= entries; ++level) {
    FadeIn(FindImage(NumberedName("k_", level)));
    ImageWidget& medal = FindImage(NumberedName("m_", level));
    FadeIn(medal);
    const int32_t earned = profile.Get(NumberedKey("reward", level)).AsInt();
    if (const char* texture = medalTexture(earned)) {
      medal.texture = texture;
      best = std::max(best, earned);
    }
  }
  // The heading's medal is the best one earned; without any, none.
  ImageWidget& headingMedal = FindImage("w1b1");
  if (const char* texture = medalTexture(best))
    headingMedal.texture = texture;
  else
    HideAtOnce(headingMedal);
}
