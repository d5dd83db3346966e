#pragma once
// The update callback of the frame mode "game": input on the board, the bee's
// flight, and what the board's events mean for the attempt.

// The camera follows the bee from this distance and elevation (degrees).
constexpr float CameraFollowDistance = 18.8f;
constexpr float CameraFollowElevation = 75.7f;

// The developer's keys, on only when the game is started with --debug-keys:
// Enter wins the round and Backspace loses it, with 40000 points either way.
extern bool DebugKeysOn;

void updateGame();

// Puts the current camera behind the bee, looking down on the board.
void followBee();
