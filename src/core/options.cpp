#include "core/options.h"

#include "core/save_failure.h"
#include "platform/data_folders.h"

// Built-in values, kept only when the settings file is not read.
int32_t res_width = 800;
int32_t res_height = 600;
int32_t drawfps = 0;
int32_t multysample = 0;
int32_t anisotropic = 0;
int32_t foolscreen = 0;
int32_t lastprofile = 0;

ConfigNode OptionsNode;
int32_t ResolutionChoice = 0;
uint8_t OptionsChanged = 0;
SaveAndQuitHooks OptionsQuitHooks;

namespace {
struct OptionKey {
  const char* key;
  int32_t* option;
};

// In the order the keys are read and written.
const OptionKey kOptionKeys[] = {
    {"res_width", &res_width},     {"res_height", &res_height},   {"drawfps", &drawfps},
    {"multysample", &multysample}, {"anisotropic", &anisotropic}, {"foolscreen", &foolscreen},
    {"lastprofile", &lastprofile},
};

void RunHook(void (*hook)()) {
  if (hook) hook();
}
}  // namespace

void LoadOptions(const std::string& path) {
  OptionsNode.Load(path);
  for (const OptionKey& option : kOptionKeys) *option.option = OptionsNode.Get(option.key).AsInt();
  // A missing file or one without a usable size would leave no window to
  // open: start windowed at the built-in 800 x 600 instead. The other options
  // keep what the file said, 0 when it said nothing. A size written as a float
  // reads as its raw bits, far beyond any screen; that falls back too.
  const int32_t largest = 16384;
  if (res_width <= 0 || res_height <= 0 || res_width > largest || res_height > largest) {
    res_width = 800;
    res_height = 600;
    foolscreen = 0;
  }
}

bool WriteOptions() {
  // Every option is written, so that a key the file lacked does not lose the
  // player's choice; a file that could not be read gets a block name.
  if (OptionsNode.name.empty()) OptionsNode.name = "options";
  for (const OptionKey& option : kOptionKeys) OptionsNode.GetOrAdd(option.key).SetInt(*option.option);
  if (OptionsNode.Save(PlayerFile("bin\\default.cfg"))) return true;
  ReportSaveFailure("your settings");
  return false;
}

void ResolutionChoiceFromWidth() {
  if (res_width == 640) ResolutionChoice = 1;
  if (res_width == 800) ResolutionChoice = 2;
  if (res_width == 1024) ResolutionChoice = 3;
}

void ApplyResolutionChoice() {
  switch (ResolutionChoice) {
    case 1:
      res_width = 640;
      res_height = 480;
      break;
    case 2:
      res_width = 800;
      res_height = 600;
      break;
    case 3:
      res_width = 1024;
      res_height = 768;
      break;
    default:
      break;
  }
}

void SaveOptionsAndQuit() {
  RunHook(OptionsQuitHooks.playClick);
  ApplyResolutionChoice();
  WriteOptions();
  RunHook(OptionsQuitHooks.releaseGameObjects);
  RunHook(OptionsQuitHooks.requestQuit);
}
