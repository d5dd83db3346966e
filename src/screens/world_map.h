#pragma once
// The world map "game_map": nine islands, one per level, joined by a dotted
// path. What the current profile has not opened is faded away; the newest
// island is marked by a bobbing arrow, and the stretch of path leading to it
// is drawn dot by dot each time the map opens.
#include <cstdint>

constexpr int MapLevels = 9;
constexpr int MapDots = 60;
// "opened_maps" once the last level has been won.
constexpr int AllLevelsWon = MapLevels + 1;

// By "opened_maps" n: dots 1 .. pathEnd[n] are shown at once, and dots
// pathEnd[n] + 1 .. pathEnd[n + 1] are the newest stretch.
inline constexpr int32_t pathEnd[AllLevelsWon + 1] = {0, 3, 1, 11, 19, 23, 32, 38, 46, 53, 60};

// Dots first .. last; empty when last < first.
struct DotRange {
  int first = 1, last = 0;
  bool empty() const { return last < first; }
};
// For "opened_maps" n (1 .. 10): the dots that appear together with the map,
// and the newest stretch, drawn one dot after another.
DotRange dotsAtOnce(int n);
DotRange newestStretch(int n);

struct WorldMapState {
  // Set while the world map is up; the main menu clears it.
  uint8_t mapShown = 0;
  // Where the arrow bobs: the top-left corner of the newest level's button.
  float arrowBaseX = 0, arrowBaseY = 0;
  float arrowPhase = 0;  // radians
};
extern WorldMapState WorldMap;

// The current profile's "opened_maps", kept within 1 .. 10.
int openedMaps();

// Builds the map screen; immediate is 1 when coming from a level (no cover to
// fade away) and 0 from the main menu.
void showWorldMap(int immediate);
// The "menu" mode's update callback: bobs the arrow while the map is up and
// forgets a released Escape key.
void animateMapArrow();

// Fills the menus' links to the world map and the profile statistics panel.
void linkMapScreens();
