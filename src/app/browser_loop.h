#pragma once
// The browser's frame loop: the page's animation frames drive the game.

// Loads the game and hands its frames to the browser; returns at once, the
// game running on after the caller's return.
void EngineStartInBrowser();
