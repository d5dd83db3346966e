#pragma once
// The statistics panel of the profiles screen, shown while the pointer is over
// a used slot: the total score, and the island and medal of every level the
// profile has finished.

// Fades in the panel for slot 0 .. 2; another slot shows nothing.
void showProfileStats(int slot);
