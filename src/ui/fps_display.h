#pragma once
// The frame-rate counter in the top-left corner, in the default font.

// Draws FrameRate.FpsText at (0, 0), at most 0.6 wide and 0.04 high, outside the
// interface pass.
void DrawFpsDisplay();
