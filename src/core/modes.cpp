#include "core/modes.h"

std::vector<std::unique_ptr<Mode>> ModeRegistry;

void RegisterMode(const std::string& name, ModeCallback update, ModeCallback draw) {
  ModeRegistry.push_back(std::make_unique<Mode>(Mode{1, name, update, draw}));
}

Mode* FindMode(const std::string& name) {
  for (const auto& mode : ModeRegistry)
    if (mode->name == name) return mode.get();
  return nullptr;
}

void SetModeActive(const std::string& name, int active) {
  if (Mode* mode = FindMode(name)) mode->active = active;
}

namespace {
// A callback may switch flags of later modes; the length is read every step.
template <typename Pick>
void WalkModes(Pick pick) {
  for (size_t i = 0; i < ModeRegistry.size(); ++i) {
    Mode* mode = ModeRegistry[i].get();
    ModeCallback callback = pick(*mode);
    if (mode->active && callback) callback();
  }
}
}  // namespace

void UpdateModes() {
  WalkModes([](const Mode& mode) { return mode.update; });
}

void DrawModes() {
  WalkModes([](const Mode& mode) { return mode.draw; });
}

void ClearModes() {
  ModeRegistry.clear();
}
