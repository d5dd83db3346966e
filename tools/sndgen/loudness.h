#pragma once
// Loudness as the ear hears it, measured as ITU-R BS.1770 does: the signal is
// K-weighted (a high shelf for the head's effect, a high-pass under the
// lowest notes), then its mean square is taken over 400 ms windows. A short
// effect counts as loud as its loudest window, so that a click and a fanfare
// compare as a player hears them.
#include <vector>

// The loudest 400 ms window of a mono signal (samples in -1 .. 1), in LUFS,
// windows every 10 ms; a signal shorter than a window is measured over one
// window with silence after it. -inf for silence.
double LoudestWindowLufs(const std::vector<double>& samples, int rate);
