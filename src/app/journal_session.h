#pragma once
// A game session recorded into a journal or played back from one. The
// engine calls the hooks below; without a journal they do nothing.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Before EngineStart: record the session into `path`. False, with the reason,
// when the file cannot be created.
bool RecordJournalTo(const std::string& path, std::string* error);

// Before EngineStart: play the journal at `path` back. Its starting files are
// copied into a temporary folder the game then reads and writes instead of the
// player's own. `fast` plays without waiting for the recorded frame times.
// False, with a one-line reason, on a journal that cannot be played; nothing
// is written then.
bool PrepareReplay(const std::string& path, bool fast, std::string* error);
// The pixels of the last frame are kept for EndJournalSession.
void KeepLastFrame();

// Engine hooks: at start-up once the settings are read; each frame right
// after the mouse poll; from the window procedure (true: the journal took the
// message); on the render thread after the last frame.
void BeginJournal();
void StepJournal();
bool JournalTakesMessage(uint32_t message, uintptr_t wParam);
void EndJournal();

struct JournalOutcome {
  size_t frames = 0;
  // A replay that played every recorded frame (not stopped by closing the window).
  bool complete = false;
  std::string screen;
  int32_t score = 0;
  // A replay's player's files as it left them, by journal name.
  std::map<std::string, std::string> files;
  int lastFrameWidth = 0, lastFrameHeight = 0;
  std::vector<uint32_t> lastFrame;
};

// After EngineShutdown: ends the session, removes a replay's temporary folder
// and gives what it came to.
JournalOutcome EndJournalSession();

// "12345 frames, screen stat, score 3200".
std::string OutcomeLine(const JournalOutcome& outcome);
