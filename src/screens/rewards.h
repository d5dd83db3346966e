#pragma once
// Rewards of a won level: the training, an explorer and a sapper reward per
// level, and three one-time rewards for seven of each kind and seven golds.

// The board conditions, over the cells of the global Level. Explorer: every
// cell holding a number (0..6) is open. Sapper: every bomb is flagged and
// was never opened. Holes are ignored; a board without cells meets both.
bool ExplorerHolds();
bool SapperHolds();

// Called by the results screen of a won level after its layout is loaded:
// sets the rewards earned in the current profile (in memory; the next
// SaveProgress writes them) and fades in the results screen's pictures
// "reward1" .. "reward6" of those granted now.
void GrantRewards();
