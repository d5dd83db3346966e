#pragma once
// Camera flights of the training: the current camera leaves its place along a
// Bezier curve and comes back to it, keeping its orientation. Board input
// waits until the flight is over.
#include <cstdint>

// Starts the flight of numbered briefing k (0 .. 3); other numbers have none.
void startBriefingFlight(int briefing);

// True while the current camera's flight has not finished; a finished flight
// freezes the camera again.
bool cameraFlightRunning();
