#pragma once
// The game's command line: options, each a word of its own, some followed by
// a value.
#include <string>

struct CommandLine {
  bool help = false;
  bool version = false;
  std::string record;
  std::string replay;
  bool fast = false;
  bool debugKeys = false;
  // What was not understood, said in a few words ("unknown argument '-x'").
  std::string mistake;
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// Prints what the command line asks for: the usage, the version, or the
// usage after an argument not understood. Returns the exit code when the game
// is not to start (0 after the help or the version, 2 after a mistake), or -1
// to play.
int AnswerCommandLine(const CommandLine& command, const char* version);
