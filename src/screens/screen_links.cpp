#include "screens/screen_links.h"

#include "screens/menu_screens.h"
#include "screens/results_screen.h"
#include "screens/test_hooks.h"
#include "screens/update_game.h"
#include "screens/world_map.h"

// Empty until the world map, the round, the results and the bee are wired in.
ScreenLinkTable ScreenLinks;

uint8_t mapShown = 0;

void ResetScreensForTests() {
  ScreenLinks = ScreenLinkTable{};
  mapShown = 0;
  DebugKeysOn = false;
  MenuPage = PageMainMenu;
  ResolutionSelection = 0;
  arrowBaseX = arrowBaseY = arrowPhase = 0;
  stopMedalSparkles();
}
