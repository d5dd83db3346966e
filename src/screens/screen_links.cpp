#include "screens/screen_links.h"

// Empty until the world map, the round, the results and the bee are wired in.
ScreenLinkTable ScreenLinks;

uint8_t mapShown = 0;
