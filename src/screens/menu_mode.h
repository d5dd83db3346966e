#pragma once
// The update callback of the frame mode "menu", which has nothing of its own
// to draw: its screens are widgets.
void MenuModeUpdate();
