#pragma once
// Frame modes: named pairs of update and draw callbacks switched on and off by
// name. The frame loop walks them by index, re-reading the length each step.
#include <memory>
#include <string>
#include <vector>

using ModeCallback = void (*)();

struct Mode {
  int active = 1;
  std::string name;
  ModeCallback update = nullptr;
  ModeCallback draw = nullptr;
};

// Owned records in registration order; pointers stay valid until ClearModes.
extern std::vector<std::unique_ptr<Mode>> ModeRegistry;

void RegisterMode(const std::string& name, ModeCallback update, ModeCallback draw);
Mode* FindMode(const std::string& name);
// Sets the flag of the first mode of that name; an unknown name changes nothing.
void SetModeActive(const std::string& name, int active);
void UpdateModes();
void DrawModes();
void ClearModes();
