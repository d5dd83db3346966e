#pragma once
// The 410-cell board every shipped map is drawn on, and the header values
// that go with a finished design.
#include <vector>

// Level laid out as the start-up board, every cell closed and empty, no
// marks, items or triggers.
void prepareBoard();

// Makes `cell` the stored start: the bee sits on it. Counts bombs and flowers.
void finishHeader(int startCell);

// Keeps only the largest group of connected existing cells.
void keepLargestIsland();

// Indexes of the existing cells connected to `from` without crossing the
// cells in `barriers`.
std::vector<int> connectedCells(int from, const std::vector<int>& barriers = {});
