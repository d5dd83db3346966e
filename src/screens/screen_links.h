#pragma once
// The screens of the game that the menus lead to (the world map, the round,
// its results) and the menu background's bee. Each link is skipped while it
// is empty; the game fills them in at start-up.
#include <cstdint>

struct ScreenLinkTable {
  void (*showWorldMap)(int immediate) = nullptr;
  void (*showPlayScreen)() = nullptr;
  void (*replayLevel)() = nullptr;
  void (*showProfileStats)(int slot) = nullptr;
  // Resets the bee and places it at (12.0, 30.0, 4.0) for the menu scene.
  void (*placeMenuBee)() = nullptr;
};
extern ScreenLinkTable ScreenLinks;
