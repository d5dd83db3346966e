#pragma once
// The game's part of start-up (everything after the engine core is up) and
// the base start-up that loads the heavy content behind the loading screen.
void GameSetUp();
void BaseStartUp();
// Starts decoding the textures start-up loads, in the order it loads them,
// on a second thread: the window, the device and the loading screen are
// made meanwhile.
void StartDecodingTextures();

// The debug mode is registered but never switched on.
void DebugModeUpdate();
void DebugModeDraw();
