#pragma once
// The update callback of the frame mode "game": input on the board, the bee's
// flight, and what the board's events mean for the attempt.

// The camera follows the bee from this distance and elevation (degrees).
constexpr float CameraFollowDistance = 18.8f;
constexpr float CameraFollowElevation = 75.7f;

// The round's rules, then everything its frame shows (the display, the
// pointer's cell, the sky's turn), so that drawing only draws.
void updateGame();

// Puts the current camera behind the bee, looking down on the board.
void followBee();
