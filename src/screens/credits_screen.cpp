#include "core/options.h"
#include "screens/menu_screens.h"
#include "ui/layout_loader.h"
#include "ui/screen_wiring.h"

// The way out of the program: the credits' button saves the options and quits.
void ShowCredits() {
  PlayClickSound();
  Menu.MenuPage = PageCredits;
  ClearWidgets();
  LoadLayout("credits");
  OnActionWithHoverSound("back", SaveOptionsAndQuit);
}
