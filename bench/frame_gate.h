#pragma once
// Runs the real game in this process, one frame at a time: the main thread
// pumps messages, the render thread draws and then waits after every frame,
// and a script on a thread of its own lets the next frame run, reads and
// changes the game between frames. Game time comes from the test clock,
// moved on by the frame length every frame, so every run shows the same
// animation state however fast the machine is. The frame benchmarks and the
// play tests both drive the game through it.
#include <functional>

namespace framegate {

// Starts the game in the working folder, runs `script` once the first frame
// is drawn, closes the window when the script ends and returns when the game
// has shut down.
void Run(const std::function<void()>& script);

// Called on the render thread after every frame, before the script may go
// on; set before Run.
void SetFrameObserver(const std::function<void()>& observer);

// Lets the render thread draw `count` frames, one at a time.
void Frames(int count = 1);
// Lets `count` frames run back to back, without waiting for the script.
void FreeFrames(int count);
// The game time of one frame: 16 ms unless set otherwise (after Run starts).
void SetFrameMilliseconds(int milliseconds);
int FrameMilliseconds();
// How long the last frame took on the real clock, from the moment the gate
// let it run: the script's and the observer's time left out.
double LastFrameWallMilliseconds();
void WaitMilliseconds(int milliseconds);

// Runs `task` on the render thread between two frames and waits for it.
void OnRenderThread(const std::function<void()>& task);

// A key pressed and released through the window, two frames; Enter,
// Backspace and Escape also arrive as characters, as Windows sends them.
void PressKey(int virtualKey);

// Asks the game to close and lets it run to its end.
void Close();

}  // namespace framegate
