#pragma once
// The results screens a round ends on ("stat" for a win, "stat_lose" for a
// loss). Both freeze the board and hide the round's display.
void showWinScreen();
void showLoseScreen();
