#pragma once
// How screens wire the widgets of a freshly loaded layout: the action goes on
// the first widget of the name (any kind), the hover sound on the button.
#include <string>

#include "ui/widget_list.h"

void OnAction(const std::string& name, WidgetCallback action);
void OnActionWithHoverSound(const std::string& name, WidgetCallback action);
// "stem" and 3 give the widget named "stem3".
std::string NumberedName(const char* stem, int number);
