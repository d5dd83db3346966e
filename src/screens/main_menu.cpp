#include "core/modes.h"
#include "core/options.h"
#include "game/level_files.h"
#include "profile/profiles.h"
#include "screens/menu_screens.h"
#include "screens/profile_actions.h"
#include "screens/results_screen.h"
#include "screens/screen_links.h"
#include "screens/world_map.h"
#include "ui/layout_loader.h"
#include "ui/screen_wiring.h"

MenuState Menu;

namespace {

// "lastprofile" as the slot to greet. A value that names no slot, or a free
// slot, falls to the first slot in use; -1 when every slot is free.
int StartingSlot() {
  if (Options.lastProfile == -1) return -1;
  if (ProfileInUse(Options.lastProfile)) return Options.lastProfile;
  for (int slot = 0; slot < ProfileCount; ++slot)
    if (ProfileInUse(slot)) return slot;
  return -1;
}

void OpenWorldMap() {
  if (ScreenLinks.showWorldMap) ScreenLinks.showWorldMap(0);
}

}  // namespace

void EnterMainMenu() {
  SetModeActive("game", 0);
  // The round's mode stops here, and with it the sparkles' movement.
  stopMedalSparkles();
  Menu.MenuPage = PageMainMenu;
  WorldMap.mapShown = 0;
  loadSceneObjects("maps\\bin\\menu.bin");
  if (!ProgressUnsaved()) LoadProfiles();
  Options.lastProfile = StartingSlot();
  Profiles.CurrentProfile = Options.lastProfile;
  ClearWidgets();
  if (Options.lastProfile == -1) {
    LoadLayout("enter_name");
    FindEdit("name").onAction = CreateProfile;
    OnAction("ok", CreateProfile);
    Profiles.CurrentProfile = 0;
    // No profile to go back to.
    HideAtOnce(FindButton("cancel"));
  } else {
    LoadLayout("main_menu");
  }
  ConfigNode& profile = CurrentProfileNode();
  ButtonWidget& rewards = FindButton("rewards");
  if (profile.Get("opened_maps").AsInt() < 2)
    FadeAway(rewards);
  else
    FadeIn(rewards);
  OnAction("profiles", ShowProfileManager);
  OnAction("play", OpenWorldMap);
  OnAction("options", ShowOptions);
  OnAction("exit", ShowCredits);
  OnAction("rewards", ShowRewards);
  SetModeActive("menu", 1);
  FindLabel("lbl").text = std::string("Hello, ") + profile.Get("name").AsString() + "!";
  if (ScreenLinks.placeMenuBee) ScreenLinks.placeMenuBee();
}
