#include "app/command_line.h"
#include "app/engine.h"
#include "platform/data_folders.h"

int main(int argc, char** argv) {
  int exitCode = AnswerCommandLine(ParseCommandLine(argc, argv), KESTRIN_VERSION);
  if (exitCode >= 0) return exitCode;
  SelectDataFolders(ExecutableFolder());
  EngineStart();
  EngineShutdown();
  return 0;
}
