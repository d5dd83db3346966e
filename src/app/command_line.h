#pragma once
// The game's command line: options only, each a word of its own.
#include <string>

struct CommandLine {
  bool help = false;
  bool version = false;
  // The first argument that is not an option of the game.
  std::string unknown;
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// Prints what the command line asks for: the usage, the version, or the
// usage after an argument not understood. Returns the exit code when the game
// is not to start (0 after the help or the version, 2 after a mistake), or -1
// to play.
int AnswerCommandLine(const CommandLine& command, const char* version);
