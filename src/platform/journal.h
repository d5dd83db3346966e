#pragma once
// Input journals: what a game session received, frame by frame, so that it
// can be played again to the same state. Text, one frame a line; the format
// is described in docs/journal.md.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Format 1 was written while a typed character waited in one byte until the
// next frame: replayed, each typed character there replaces the one waiting.
// Format 2 delivers them all, in order, and names the developer's keys.
constexpr int JournalVersion = 2;

// A window message as the window procedure received it: WM_KEYDOWN, WM_KEYUP
// and WM_CHAR with their code, or WM_CLOSE.
struct JournalEvent {
  uint32_t message = 0;
  uint8_t code = 0;
};

struct JournalFrame {
  uint32_t clock = 0;
  // The pointer in client pixels, as the frame's mouse poll saw it.
  float x = 0, y = 0;
  bool left = false, right = false;
  std::vector<JournalEvent> events;
  // A press the game ignores: it began, or went on, outside its active window.
  bool leftElsewhere = false, rightElsewhere = false;
};

struct JournalHeader {
  std::string game;
  int width = 0, height = 0;
  uint32_t seed = 0;
  // The clock during start-up, before the first frame.
  uint32_t clock = 0;
  // The player's files the session started from, by name ("data/profile0.s").
  std::vector<std::pair<std::string, std::string>> files;
  int version = JournalVersion;
  // Whether the developer's keys were on; always so in format 1.
  bool debugKeys = false;
};

struct Journal {
  JournalHeader header;
  std::vector<JournalFrame> frames;
  // False when the recording stopped without its end line (a crash).
  bool finished = false;
};

// The names of the player's files a journal may hold; nothing else is ever
// written from one.
const std::vector<std::string>& JournalFileNames();

// Reads a whole journal; on a fault, false and a one-line reason.
bool ParseJournal(const std::string& text, Journal* journal, std::string* error);

std::string JournalHeaderText(const JournalHeader& header);
std::string JournalFrameLine(const JournalFrame& frame);
std::string JournalEndLine(size_t frames);
