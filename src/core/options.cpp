#include "core/options.h"

#include "core/save_failure.h"
#include "platform/data_folders.h"

EngineOptions Options;

namespace {
struct OptionKey {
  const char* key;
  int32_t EngineOptions::*option;
};

// In the order the keys are read and written.
const OptionKey kOptionKeys[] = {
    {"res_width", &EngineOptions::width},         {"res_height", &EngineOptions::height},
    {"drawfps", &EngineOptions::showFps},         {"multysample", &EngineOptions::multisample},
    {"anisotropic", &EngineOptions::anisotropic}, {"foolscreen", &EngineOptions::fullScreen},
    {"lastprofile", &EngineOptions::lastProfile},
};

void RunHook(void (*hook)()) {
  if (hook) hook();
}
}  // namespace

void LoadOptions(const std::string& path) {
  Options.OptionsNode.Load(path);
  for (const OptionKey& option : kOptionKeys) Options.*option.option = Options.OptionsNode.Get(option.key).AsInt();
  // A missing file or one without a usable size would leave no window to
  // open: start windowed at the built-in 800 x 600 instead. The other options
  // keep what the file said, 0 when it said nothing. A size written as a float
  // reads as its raw bits, far beyond any screen; that falls back too.
  const int32_t largest = 16384;
  if (Options.width <= 0 || Options.height <= 0 || Options.width > largest || Options.height > largest) {
    Options.width = 800;
    Options.height = 600;
    Options.fullScreen = 0;
  }
}

bool WriteOptions() {
  // Every option is written, so that a key the file lacked does not lose the
  // player's choice; a file that could not be read gets a block name.
  if (Options.OptionsNode.name.empty()) Options.OptionsNode.name = "options";
  for (const OptionKey& option : kOptionKeys) Options.OptionsNode.GetOrAdd(option.key).SetInt(Options.*option.option);
  if (Options.OptionsNode.Save(PlayerFile("bin\\default.cfg"))) return true;
  ReportSaveFailure("your settings");
  return false;
}

void ResolutionChoiceFromWidth() {
  if (Options.width == 640) Options.ResolutionChoice = 1;
  if (Options.width == 800) Options.ResolutionChoice = 2;
  if (Options.width == 1024) Options.ResolutionChoice = 3;
}

void ApplyResolutionChoice() {
  switch (Options.ResolutionChoice) {
    case 1:
      Options.width = 640;
      Options.height = 480;
      break;
    case 2:
      Options.width = 800;
      Options.height = 600;
      break;
    case 3:
      Options.width = 1024;
      Options.height = 768;
      break;
    default:
      break;
  }
}

void SaveOptionsAndQuit() {
  RunHook(Options.quitHooks.playClick);
  ApplyResolutionChoice();
  WriteOptions();
  RunHook(Options.quitHooks.releaseGameObjects);
  RunHook(Options.quitHooks.requestQuit);
}
