#include "profile/profiles.h"

#include "app/options.h"
#include "game/play_state.h"
#include "platform/data_folders.h"
#include "profile/profile_name.h"
#include "ui/menu_screens.h"
#include "ui/widget_list.h"

ConfigNode ProfileSlots[ProfileCount];
int32_t CurrentProfile = 0;

namespace {

constexpr const char* kPerLevelStems[] = {"score", "reward", "explorer", "sapper"};
constexpr const char* kOneTimeRewards[] = {"training", "superexplorer", "supersapper", "champion"};

bool ValidSlot(int slot) { return slot >= 0 && slot < ProfileCount; }

// Writes the profiles, then the options with "lastprofile" -1 once no
// profile is left.
void SaveProfilesAndOptions() {
  SaveProfiles();
  if (AllProfilesFree()) lastprofile = -1;
  WriteOptions();
}

}  // namespace

std::string ProfilePath(int slot) { return PlayerFile("data\\profile" + std::to_string(slot) + ".s"); }

std::string NumberedKey(const char* stem, int number) { return stem + std::to_string(number); }

int CurrentSlot() { return ValidSlot(CurrentProfile) ? CurrentProfile : 0; }

ConfigNode& CurrentProfileNode() { return ProfileSlots[CurrentSlot()]; }

bool ProfileInUse(int slot) { return ValidSlot(slot) && ProfileSlots[slot].Get("empty").AsInt() == 0; }

bool AllProfilesFree() {
  for (int slot = 0; slot < ProfileCount; ++slot)
    if (ProfileInUse(slot)) return false;
  return true;
}

int32_t TotalScore(const ConfigNode& profile) {
  int64_t total = 0;
  for (int level = 1; level <= ProfileLevels; ++level) total += profile.Get(NumberedKey("score", level)).AsInt();
  if (total > INT32_MAX) return INT32_MAX;
  if (total < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(total);
}

ConfigNode FreshProfile() {
  ConfigNode profile;
  profile.name = "profile";
  profile.GetOrAdd("name").SetString("empty");
  profile.GetOrAdd("empty").SetInt(1);
  profile.GetOrAdd("opened_maps").SetInt(1);
  for (const char* stem : kPerLevelStems)
    for (int level = 1; level <= ProfileLevels; ++level) profile.GetOrAdd(NumberedKey(stem, level)).SetInt(0);
  for (const char* key : kOneTimeRewards) profile.GetOrAdd(key).SetInt(0);
  return profile;
}

void ResetProfile(ConfigNode& profile) {
  profile.Get("name").SetString("empty");
  profile.Get("empty").SetInt(1);
  profile.Get("opened_maps").SetInt(1);
  for (const char* stem : {"reward", "score", "explorer", "sapper"})
    for (int level = 1; level <= ProfileLevels; ++level) profile.Get(NumberedKey(stem, level)).SetInt(0);
  for (const char* key : kOneTimeRewards) profile.Get(key).SetInt(0);
}

void LoadProfiles() {
  for (int slot = 0; slot < ProfileCount; ++slot) {
    ConfigNode& profile = ProfileSlots[slot];
    if (!profile.Load(ProfilePath(slot))) profile = FreshProfile();
    ConfigValue& name = profile.Get("name");
    if (name.type == ValueType::String) name.SetString(NameFromFile(name.AsString()).c_str());
  }
}

bool SaveProfiles() {
  bool saved = true;
  for (int slot = 0; slot < ProfileCount; ++slot) {
    ConfigNode stored = ProfileSlots[slot];
    ConfigValue& name = stored.Get("name");
    if (name.type == ValueType::String) name.SetString(NameToFile(name.AsString()).c_str());
    saved = stored.Save(ProfilePath(slot)) && saved;
  }
  return saved;
}

void SaveProgress() {
  ConfigNode& profile = CurrentProfileNode();
  // The level number has already moved past the level that was finished.
  int finished = Play.levelNumber - 1;
  profile.Get(NumberedKey("score", finished)).SetInt(Play.levelScore);
  profile.Get(NumberedKey("reward", finished)).SetInt(Play.medal);
  ConfigValue& opened = profile.Get("opened_maps");
  if (opened.AsInt() < Play.levelNumber) opened.SetInt(Play.levelNumber);
  SaveProfilesAndOptions();
}

void CreateProfile() {
  std::string typed = FindEdit("name").Typed();
  if (!HasVisibleLetter(typed)) return;
  // '^' + the name + a blank; a name whose stored form would not fit the
  // file's value is shortened at its end.
  std::string name = "^" + typed + " ";
  while (NameToFile(name).size() > StoredNameLimit && !typed.empty()) {
    typed.pop_back();
    name = "^" + typed + " ";
  }
  CurrentProfile = CurrentSlot();
  ConfigNode& profile = ProfileSlots[CurrentProfile];
  profile.Get("name").SetString(name.c_str());
  lastprofile = CurrentProfile;
  profile.Get("empty").SetInt(0);
  SaveProfiles();
  EnterMainMenu();
}

void SelectProfile(int slot) {
  if (!ValidSlot(slot)) return;
  CurrentProfile = slot;
  lastprofile = slot;
  EnterMainMenu();
}

void DeleteProfile(int slot) {
  if (!ValidSlot(slot)) return;
  ResetProfile(ProfileSlots[slot]);
  SaveProfilesAndOptions();
  ShowProfileManager();
}
