#include <algorithm>

#include "core/options.h"
#include "profile/profiles.h"
#include "screens/menu_screens.h"
#include "screens/profile_actions.h"
#include "screens/screen_links.h"
#include "ui/layout_loader.h"
#include "ui/screen_wiring.h"

namespace {

// The statistics panel that showProfileStats fades in over the slots.
constexpr const char* kPanelImages[] = {"w1a", "w1b1", "w1b2"};
constexpr const char* kPanelLabels[] = {"score", "levels", "rewards", "complete", "c_text", "s_text"};

void WireSlot(int slot) {
  std::string button = NumberedName("profile", slot), remove = NumberedName("del", slot);
  FindButton(button).text = Profiles.ProfileSlots[slot].Get("name").AsString();
  if (!ProfileInUse(slot)) {
    OnAction(button, [slot] { ShowEnterName(slot); });
    HideAtOnce(FindWidget(remove));
    return;
  }
  OnAction(button, [slot] { SelectProfile(slot); });
  // Without the statistics panel nothing is shown, so nothing is hidden.
  if (ScreenLinks.showProfileStats)
    FindButton(button).onHoverEnter = [slot] {
      if (ScreenLinks.showProfileStats) ScreenLinks.showProfileStats(slot);
    };
  FindButton(button).onHoverLeave = [slot] { HideProfileSummary(slot); };
  OnAction(remove, [slot] { DeleteProfile(slot); });
}

}  // namespace

void ShowEnterName(int slot) {
  ClearWidgets();
  LoadLayout("enter_name");
  FindEdit("name").onAction = CreateProfile;
  OnAction("ok", CreateProfile);
  Profiles.CurrentProfile = slot;
  Options.lastProfile = slot;
  OnAction("cancel", ShowProfileManager);
}

void ShowProfileManager() {
  ClearWidgets();
  LoadLayout("profiles_manager");
  FadeOut(FindImage("m1"));
  for (int slot = 0; slot < ProfileCount; ++slot) WireSlot(slot);
  for (const char* name : kPanelImages) HideAtOnce(FindImage(name));
  for (const char* name : kPanelLabels) HideAtOnce(FindLabel(name));
  for (int level = 1; level <= ProfileLevels; ++level) {
    HideAtOnce(FindImage(NumberedName("k_", level)));
    HideAtOnce(FindImage(NumberedName("m_", level)));
  }
}

void HideProfileSummary(int slot) {
  // What the panel left hidden (the heading medal of a profile without one)
  // stays hidden rather than fading out from full.
  for (const char* name : kPanelImages) FadeAway(FindImage(name));
  for (const char* name : kPanelLabels) FadeAway(FindLabel(name));
  if (slot < 0 || slot >= ProfileCount) return;
  // The panel has an entry for each level before the newest open one.
  int entries = std::min(Profiles.ProfileSlots[slot].Get("opened_maps").AsInt() - 1, ProfileLevels);
  for (int level = 1; level <= entries; ++level) {
    FadeAway(FindImage(NumberedName("k_", level)));
    FadeAway(FindImage(NumberedName("m_", level)));
  }
}
