#include "app/command_line.h"

#include <cstdio>

#include "platform/window.h"

namespace {
// Either a flag or an option taking the next word as its value.
struct Option {
  const char* name;
  const char* value;
  const char* help;
  bool CommandLine::*flag;
  std::string CommandLine::*text;
};

constexpr Option kOptions[] = {
    {"--help", "", "print this help and exit", &CommandLine::help, nullptr},
    {"--version", "", "print the version and exit", &CommandLine::version, nullptr},
    {"--record", "FILE", "play, recording every input into FILE", nullptr, &CommandLine::record},
    {"--replay", "FILE", "play a recorded FILE back (your own saves are not touched)", nullptr, &CommandLine::replay},
    {"--fast", "", "with --replay: play back at full speed and print a summary", &CommandLine::fast, nullptr},
    {"--debug-keys", "", "developer's keys: Enter wins a round, Backspace loses it", &CommandLine::debugKeys,
     nullptr},
};

std::string Usage() {
  std::string usage = "Usage: kestrin [OPTION]...\n"
                      "A puzzle game: guide a bee over an island of hexagonal cells, some hiding bombs.\n\n";
  for (const Option& option : kOptions) {
    const std::string name = std::string(option.name) + (option.value[0] ? " " : "") + option.value;
    char line[160];
    std::snprintf(line, sizeof line, "  %-15s %s\n", name.c_str(), option.help);
    usage += line;
  }
#ifdef _WIN32
  return usage + "\nInstalled, the game keeps your settings and progress in %APPDATA%\\Kestrin.\n";
#else
  return usage + "\nInstalled, the game keeps your settings and progress in $XDG_DATA_HOME/kestrin\n"
                 "(by default ~/.local/share/kestrin).\n";
#endif
}

std::string Mistake(const CommandLine& command) {
  if (!command.mistake.empty()) return command.mistake;
  if (!command.record.empty() && !command.replay.empty()) return "--record and --replay exclude each other";
  if (command.fast && command.replay.empty()) return "--fast goes with --replay";
  return "";
}
}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine command;
  for (int i = 1; i < argc && command.mistake.empty(); ++i) {
    const std::string argument = argv[i];
    const Option* known = nullptr;
    for (const Option& option : kOptions)
      if (argument == option.name) known = &option;
    if (!known)
      command.mistake = "unknown argument '" + argument + "'";
    else if (known->flag)
      command.*(known->flag) = true;
    else if (i + 1 < argc && argv[i + 1][0])
      command.*(known->text) = argv[++i];
    else
      command.mistake = argument + " needs a " + known->value;
  }
  return command;
}

int AnswerCommandLine(const CommandLine& command, const char* version) {
  const std::string mistake = Mistake(command);
  // A program without a console (Windows) shows the mistake in a message box.
  if (!mistake.empty()) {
    MessageBoxA((mistake + "\n\n" + Usage()).c_str(), "kestrin");
    return 2;
  }
  if (command.help) {
    std::fputs(Usage().c_str(), stdout);
    return 0;
  }
  if (command.version) {
    std::printf("kestrin %s\n", version);
    return 0;
  }
  return -1;
}
