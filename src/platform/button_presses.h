#pragma once
// A press of each mouse button since the button was last read, so that a
// click that starts and ends between two polls still counts, as
// GetAsyncKeyState reports it.

void RememberPress(int virtualKey);
// True once for each remembered press of the button.
bool TakePress(int virtualKey);
