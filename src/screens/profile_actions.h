#pragma once
// What the screens do to the profiles: each action changes and saves the
// profiles, then moves on to the next screen.

// After a level (levelNumber has already moved past it): its score and medal,
// the opened levels, then the profiles and the options are written.
void SaveProgress();
// The enter-name screen's action: names the current slot after the typed text.
void CreateProfile();
void SelectProfile(int slot);
void DeleteProfile(int slot);
