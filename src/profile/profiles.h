#pragma once
// The three player profiles in fixed slots, one structured text file each
// ("data\profile0.s" .. "data\profile2.s"): the name, the open levels, the
// score and medal of every level and the rewards. One slot is current; the
// option "lastprofile" remembers it between runs (-1: no profile yet).
#include <cstdint>
#include <string>

#include "textfile/config_node.h"

constexpr int ProfileCount = 3;
constexpr int ProfileLevels = 9;

struct ProfileSet {
  ConfigNode ProfileSlots[ProfileCount];
  int32_t CurrentProfile = 0;
  // The last save of the profiles failed: memory holds what the files lack.
  bool progressUnsaved = false;
};
extern ProfileSet Profiles;

// Where the slot's file is read and written.
std::string ProfilePath(int slot);
// "score" and 3 give "score3".
std::string NumberedKey(const char* stem, int number);

// The slot Profiles.CurrentProfile names, or slot 0 when it names none.
int CurrentSlot();
ConfigNode& CurrentProfileNode();
bool ProfileInUse(int slot);
bool AllProfilesFree();
// The sum of "score1" .. "score9".
int32_t TotalScore(const ConfigNode& profile);

// Reads the three files; names come back with their blanks. A file that is
// missing or holds no block gives a free slot, written at the next save.
void LoadProfiles();
// Writes the three files; false when one of them was not written, which is
// reported to the player.
bool SaveProfiles();
// The last save failed: the profiles in memory are newer than their files
// and must not be read over.
bool ProgressUnsaved();
// Puts every key of a slot back to a free slot's value, in the file's order.
void ResetProfile(ConfigNode& profile);
// A free profile holding every key, for a slot whose file is missing.
ConfigNode FreshProfile();

// A finished level (1 .. 9): its score and medal into the current profile,
// the opened levels raised to include the next one, then the profiles and
// the options are written.
void RecordLevelResult(int level, int32_t score, int32_t medal);
// Names the current slot after the typed text and saves the profiles and the
// options; false (nothing changed) for an empty text.
bool NameCurrentProfile(std::string typed);
// False for a slot outside 0 .. 2.
bool MakeProfileCurrent(int slot);
// Puts the slot back to free and saves; false for a slot outside 0 .. 2.
bool FreeProfile(int slot);
