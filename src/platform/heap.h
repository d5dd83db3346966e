#pragma once
// How the C library's heap serves the game: set up before the loading
// starts, and what the game has freed handed back to the system once a
// round. All of it does nothing where the C library is not glibc.

void SetUpHeap();

// The heap's freed pages, its top too, go back to the system at the next
// GiveBackFreedHeapIfAsked. The game keeps freed memory while it draws (see
// SetUpHeap); without this, where each round's passing allocations happen
// to fall lifts the heap's high water, and the resident size with it, round
// after round. The frame loop gives back after the frame's draws, while the
// driver still holds what it needs for the frame: what it frees and takes
// again every frame stays. A few milliseconds: once a round, never in play.
void AskToGiveBackFreedHeap();
void GiveBackFreedHeapIfAsked();
