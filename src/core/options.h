#pragma once
// The engine options and the settings file "bin\default.cfg" that keeps them.
#include <cstdint>
#include <string>

#include "textfile/config_node.h"

// What save-and-quit needs from other parts of the game, filled in by the
// engine at start-up; a hook left empty is skipped.
struct SaveAndQuitHooks {
  void (*playClick)() = nullptr;           // the button-click sound
  void (*releaseGameObjects)() = nullptr;  // board, bee, "hexagon" mesh instance
  void (*requestQuit)() = nullptr;         // sets Messages.QuitRequested
};

// The engine options and what the options screen and the settings file keep
// beside them. The settings file's own keys ("foolscreen", "multysample", ...)
// appear only in the key table of options.cpp.
struct EngineOptions {
  // Built-in values, kept only when the settings file is not read.
  int32_t width = 800, height = 600;
  int32_t showFps = 0;
  int32_t multisample = 0;
  int32_t anisotropic = 0;
  int32_t fullScreen = 0;
  int32_t lastProfile = 0;

  // The settings file as read at start-up; changed in place before every save
  // so that keys the game does not know survive, in their order.
  ConfigNode OptionsNode;
  // The resolution picked on the options screen: 1 = 640 x 480,
  // 2 = 800 x 600, 3 = 1024 x 768, 0 = none of these. Not stored in the file.
  int32_t ResolutionChoice = 0;
  // Set by the full-screen toggle, cleared when the options screen is confirmed.
  uint8_t OptionsChanged = 0;
  // --debug-keys, or the replayed journal's choice: the developer's keys in a
  // round. Not stored in the file.
  bool debugKeys = false;
  SaveAndQuitHooks quitHooks;
};
extern EngineOptions Options;

// Reads the settings file and copies the seven keys into the options. A key
// missing from the file reads as 0.
void LoadOptions(const std::string& path);
// Copies the options into their keys, adding those the file lacks at its end,
// and saves to "bin\default.cfg". False when the file was not written.
bool WriteOptions();

// 640 -> 1, 800 -> 2, 1024 -> 3 from Options.width; other widths leave it as it is.
void ResolutionChoiceFromWidth();
// Sets Options.width and Options.height from Options.ResolutionChoice; 0 changes nothing.
void ApplyResolutionChoice();

// The credits screen's way out: click, apply the resolution choice, write the
// options, release the game objects, request the quit.
void SaveOptionsAndQuit();
