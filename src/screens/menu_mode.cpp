#include "screens/menu_mode.h"

#include "game/round_warm_up.h"
#include "screens/menu_screens.h"
#include "screens/world_map.h"

void MenuModeUpdate() {
  animateMapArrow();
  MarkOptionsChoices();
}

void MenuModeDraw() { warmUpRoundDraws(); }
