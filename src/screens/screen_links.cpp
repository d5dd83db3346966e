#include "screens/screen_links.h"

#include "screens/menu_screens.h"
#include "screens/results_screen.h"
#include "screens/test_hooks.h"
#include "screens/update_game.h"
#include "screens/world_map.h"

// Empty until the world map, the round, the results and the bee are wired in.
ScreenLinkTable ScreenLinks;

void ResetScreensForTests() {
  ScreenLinks = ScreenLinkTable{};
  Menu = MenuState{};
  WorldMap = WorldMapState{};
  stopMedalSparkles();
}
