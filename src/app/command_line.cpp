#include "app/command_line.h"

#include <cstdio>

namespace {
struct Option {
  const char* name;
  const char* help;
  bool CommandLine::*flag;
};

constexpr Option kOptions[] = {
    {"--help", "print this help and exit", &CommandLine::help},
    {"--version", "print the version and exit", &CommandLine::version},
};

void PrintUsage(FILE* out) {
  std::fputs("Usage: kestrin [OPTION]\n"
             "A puzzle game: guide a bee over an island of hexagonal cells, some hiding bombs.\n\n",
             out);
  for (const Option& option : kOptions) std::fprintf(out, "  %-12s %s\n", option.name, option.help);
  std::fputs("\nInstalled, the game keeps your settings and progress in $XDG_DATA_HOME/kestrin\n"
             "(by default ~/.local/share/kestrin).\n",
             out);
}
}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine command;
  for (int i = 1; i < argc && command.unknown.empty(); ++i) {
    std::string argument = argv[i];
    const Option* known = nullptr;
    for (const Option& option : kOptions)
      if (argument == option.name) known = &option;
    if (known)
      command.*(known->flag) = true;
    else
      command.unknown = argument;
  }
  return command;
}

int AnswerCommandLine(const CommandLine& command, const char* version) {
  if (!command.unknown.empty()) {
    std::fprintf(stderr, "kestrin: unknown argument '%s'\n", command.unknown.c_str());
    PrintUsage(stderr);
    return 2;
  }
  if (command.help) {
    PrintUsage(stdout);
    return 0;
  }
  if (command.version) {
    std::printf("kestrin %s\n", version);
    return 0;
  }
  return -1;
}
