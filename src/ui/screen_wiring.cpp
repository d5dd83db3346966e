#include "ui/screen_wiring.h"

#include "ui/menu_sounds.h"

void OnAction(const std::string& name, WidgetCallback action) { FindWidget(name).onAction = action; }

void OnActionWithHoverSound(const std::string& name, WidgetCallback action) {
  OnAction(name, action);
  FindButton(name).onHoverEnter = PlayHoverSound;
}

std::string NumberedName(const char* stem, int number) { return stem + std::to_string(number); }
