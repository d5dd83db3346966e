#include "profile/profiles.h"

#include <cstring>

#include "core/options.h"
#include "core/save_failure.h"
#include "platform/data_folders.h"
#include "profile/profile_name.h"
#include "profile/test_hooks.h"

ProfileSet Profiles;

namespace {
constexpr const char* kPerLevelStems[] = {"score", "reward", "explorer", "sapper"};
constexpr const char* kOneTimeRewards[] = {"training", "superexplorer", "supersapper", "champion"};

bool ValidSlot(int slot) { return slot >= 0 && slot < ProfileCount; }

// Writes the profiles, then the options with "lastprofile" -1 once no
// profile is left.
void SaveProfilesAndOptions() {
  SaveProfiles();
  if (AllProfilesFree()) Options.lastProfile = -1;
  WriteOptions();
}

}  // namespace

std::string ProfilePath(int slot) { return PlayerFile("data\\profile" + std::to_string(slot) + ".s"); }

std::string NumberedKey(const char* stem, int number) { return stem + std::to_string(number); }

int CurrentSlot() { return ValidSlot(Profiles.CurrentProfile) ? Profiles.CurrentProfile : 0; }

ConfigNode& CurrentProfileNode() { return Profiles.ProfileSlots[CurrentSlot()]; }

bool ProfileInUse(int slot) { return ValidSlot(slot) && Profiles.ProfileSlots[slot].Get("empty").AsInt() == 0; }

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
    ConfigNode& profile = Profiles.ProfileSlots[slot];
    if (!profile.Load(ProfilePath(slot))) profile = FreshProfile();
    ConfigValue& name = profile.Get("name");
    if (name.type == ValueType::String) name.SetString(NameFromFile(name.AsString()).c_str());
  }
}

bool SaveProfiles() {
  bool saved = true;
  for (int slot = 0; slot < ProfileCount; ++slot) {
    ConfigNode stored = Profiles.ProfileSlots[slot];
    ConfigValue& name = stored.Get("name");
    if (name.type == ValueType::String) name.SetString(NameToFile(name.AsString()).c_str());
    saved = stored.Save(ProfilePath(slot)) && saved;
  }
  Profiles.progressUnsaved = !saved;
  if (!saved) ReportSaveFailure("your progress");
  return saved;
}

bool ProgressUnsaved() { return Profiles.progressUnsaved; }

void RecordLevelResult(int level, int32_t score, int32_t medal) {
  ConfigNode& profile = CurrentProfileNode();
  profile.Get(NumberedKey("score", level)).SetInt(score);
  profile.Get(NumberedKey("reward", level)).SetInt(medal);
  ConfigValue& opened = profile.Get("opened_maps");
  if (opened.AsInt() < level + 1) opened.SetInt(level + 1);
  SaveProfilesAndOptions();
}

bool NameCurrentProfile(std::string typed) {
  if (!HasVisibleLetter(typed)) return false;
  // '^' + the name + a blank; a name whose stored form would not fit the
  // file's value is shortened at its end.
  std::string name = "^" + typed + " ";
  while (NameToFile(name).size() > StoredNameLimit && !typed.empty()) {
    typed.pop_back();
    name = "^" + typed + " ";
  }
  Profiles.CurrentProfile = CurrentSlot();
  ConfigNode& profile = Profiles.ProfileSlots[Profiles.CurrentProfile];
  profile.Get("name").SetString(name.c_str());
  Options.lastProfile = Profiles.CurrentProfile;
  profile.Get("empty").SetInt(0);
  // With the options too: a game that ends without its exit (a closed browser
  // tab, a crash) would otherwise ask for a name again and overwrite the slot.
  SaveProfilesAndOptions();
  return true;
}

bool MakeProfileCurrent(int slot) {
  if (!ValidSlot(slot)) return false;
  Profiles.CurrentProfile = slot;
  Options.lastProfile = slot;
  return true;
}

bool FreeProfile(int slot) {
  if (!ValidSlot(slot)) return false;
  ResetProfile(Profiles.ProfileSlots[slot]);
  SaveProfilesAndOptions();
  return true;
}

void ResetProfilesForTests() { Profiles = ProfileSet{}; }
