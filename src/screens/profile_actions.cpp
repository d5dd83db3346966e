#include "screens/profile_actions.h"

#include "game/play_state.h"
#include "profile/profiles.h"
#include "screens/menu_screens.h"
#include "ui/widget_list.h"

void SaveProgress() { RecordLevelResult(Play.levelNumber - 1, Play.levelScore, Play.medal); }

void CreateProfile() {
  if (NameCurrentProfile(FindEdit("name").Typed())) EnterMainMenu();
}

void SelectProfile(int slot) {
  if (MakeProfileCurrent(slot)) EnterMainMenu();
}

void DeleteProfile(int slot) {
  if (FreeProfile(slot)) ShowProfileManager();
}
