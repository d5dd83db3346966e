#pragma once
// The callbacks of the frame mode "menu". Its screens are widgets; its scene
// pass draws nothing to be seen, but readies the round's draws.
void MenuModeUpdate();
void MenuModeDraw();
