#include <cstdio>

#include "app/command_line.h"
#include "app/engine.h"
#include "app/journal_session.h"
#include "core/options.h"
#include "platform/data_folders.h"

namespace {
// Sets up a recording or a replay; false after saying why it cannot be.
bool StartJournal(const CommandLine& command) {
  std::string error;
  bool ready = true;
  if (!command.record.empty()) ready = RecordJournalTo(command.record, &error);
  if (!command.replay.empty()) ready = PrepareReplay(command.replay, command.fast, &error);
  if (!ready) std::fprintf(stderr, "kestrin: %s\n", error.c_str());
  return ready;
}
}  // namespace

int main(int argc, char** argv) {
  const CommandLine command = ParseCommandLine(argc, argv);
  int exitCode = AnswerCommandLine(command, KESTRIN_VERSION);
  if (exitCode >= 0) return exitCode;
  Options.debugKeys = command.debugKeys;  // a replay takes the journal's choice instead
  // Before the game may change into its data folder: paths are the player's.
  if (!StartJournal(command)) return 2;
  SelectDataFolders(ExecutableFolder());
  EngineStart();
  EngineShutdown();
  const JournalOutcome outcome = EndJournalSession();
  if (command.replay.empty()) return 0;
  if (command.fast) std::printf("replayed %s\n", OutcomeLine(outcome).c_str());
  return outcome.complete ? 0 : 1;
}
