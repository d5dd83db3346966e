#pragma once
// The notice of a save that failed, on a banner at the top of every screen
// until its time is up.

// In the interface pass, after the widgets.
void DrawSaveNotice();
