#pragma once
// How the C library's heap serves the game: set up before the loading
// starts, and what the game has freed handed back to the system between
// screens. Both do nothing where the C library is not glibc.

void SetUpHeap();

// Hands the heap's freed pages back to the system, its top too. The game
// keeps freed memory while it draws (see SetUpHeap); without this, where
// each round's passing allocations happen to fall lifts the heap's high
// water, and the resident size with it, round after round. A few
// milliseconds: for a change of screen, never a frame of play.
void GiveBackFreedHeap();
