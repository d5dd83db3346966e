#pragma once
// What the play flows share: saved games to start from, files read back from
// the game folder, and a round played through the pointer with the choices
// of player.h.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "app/journal_session.h"
#include "textfile/config_node.h"

namespace play {

// A profile file in use: the shipped free profile named `name` (blanks as
// '_'), with `values` replacing its numbers ("opened_maps", "score1", ...).
std::string ProfileFile(const std::string& name, const std::map<std::string, int>& values = {});
// The shipped settings with "lastprofile" set, and the resolution when given.
std::string SettingsFile(int lastProfile, int width = 0, int height = 0);
// Flows that check rules and files rather than pictures play in a small
// window, which the software rasterizer draws several times faster.
constexpr int SmallWindowWidth = 400, SmallWindowHeight = 300;

// A structured text file of the game folder, by relative path.
ConfigNode ReadGameFile(const std::string& path);
std::string GameFileText(const std::string& path);

// Frames until the main menu greets the player and its buttons have faded in.
bool WaitForMainMenu();

// The pointer over a cell through the current camera; false when the cell is
// off the screen.
bool PointAtCell(int cell);
void ClickCell(int cell);
void RightClickCell(int cell);

// True when the bee stands close enough to the centre of its cell for the
// next click.
bool BeeReady();
// Plays until `done` holds: briefings are closed after `readingFrames`,
// flights and the bee are waited for, and `move` makes the next move (false:
// none left). False when `done` did not come within `limit` frames.
bool PlayUntil(const std::function<bool()>& done, const std::function<bool()>& move, int limit = 3000,
               int readingFrames = 2);
// Where the bee is and what it carries, for failure messages.
std::string RoundState();
// Sends the bee towards a target cell; false when there is none.
bool ClickTowards(int target);
// Sends the bee to `target`, through safe cells nearer to it while it is off
// the screen, and waits until the bee is there.
bool GoTo(int target, int limit = 600);

// Records the next RunGame into a journal of the flow's name, keeping its
// last frame; returns the journal's path.
std::string RecordJournal(const std::string& flow);
// Plays the journal back in this process, in the game folder of the flow
// that recorded it, and expects what the recording came to.
void ExpectReplayAlike(const std::string& journal, const JournalOutcome& recorded);

// Clicks a level button of the world map with the render thread's random
// generator seeded just before the level starts: the same board every run.
void StartLevelSeeded(const std::string& button, uint32_t seed);

}  // namespace play
