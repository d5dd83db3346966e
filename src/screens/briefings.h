#pragma once
// The training's trigger cells: a trigger under the bee opens a briefing over
// the play screen, flies the camera round the island, reveals markers or makes
// a new cell rise from the sea.

// The bee is over `cell`.
void handleTrigger(int cell);
