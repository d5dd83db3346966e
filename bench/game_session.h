#pragma once
// Runs the real game in this process, headless, with its real content: the
// main thread pumps messages, the render thread draws, and a script thread
// steps frames, moves the injected pointer and changes the game between
// frames. Frames can also run freely, back to back, to be timed.
//
// Game time comes from a test clock that advances 16 ms per frame, so every
// run shows the same animation state however fast the machine is; frame
// times are taken from the real clock.
#include <functional>
#include <string>
#include <vector>

#include "bench_device.h"

namespace bench {

// A fresh copy of the built game folder with one named profile that has
// opened every island and done the training, so the game starts in the
// main menu.
std::string PrepareGameFolder(const std::string& builtGame, const std::string& tag);

// Starts the game in `folder`, runs `script` on its own thread, and returns
// when the game has shut down.
void RunGame(const std::string& folder, const std::function<void()>& script);

// Called on the render thread after every frame, before the frame is
// counted; set it before RunGame.
void SetFrameObserver(const std::function<void()>& observer);

// Lets the render thread draw `count` frames, one at a time.
void Frames(int count = 1);
void WaitMilliseconds(int milliseconds);
// Runs `task` on the render thread between two frames and waits for it.
void OnRenderThread(const std::function<void()>& task);

// Lets `count` frames run back to back, without waiting for the script.
TimedRun TimedFrames(int count);

// The injected pointer, in interface units (2.0 across, 1.5 down).
void MoveTo(float x, float y);
bool ClickWidget(const std::string& name);
void PressKey(int virtualKey);

// Asks the game to close and lets it run to the end.
void CloseGame();

}  // namespace bench
