#pragma once
// A software rasterizer compiles code for each program and state a draw is
// made with, at the first such draw: the round's first frame met all of its
// own at once and took half a second. The menus draw them beforehand, one a
// frame, with a triangle of no area, so no pixel changes.

// Draws the next of the round's draw states once the menu has faded in;
// nothing once all are drawn.
void warmUpRoundDraws();
