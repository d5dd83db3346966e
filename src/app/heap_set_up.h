#pragma once
// How the C library's heap serves the game, set before the loading starts.
// Does nothing where the C library is not glibc.

void SetUpHeap();
