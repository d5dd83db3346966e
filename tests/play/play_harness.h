#pragma once
// Runs the real game, with its real content, headless, one frame at a time.
// The engine keeps its two threads: the test's main thread pumps messages,
// the render thread draws; a script thread steps frames, moves the injected
// mouse, types keys and reads the game's state while the render thread waits.
#include <functional>
#include <string>

#include "ui/widget_list.h"

namespace play {

// Copies the generated game folder into a fresh folder of its own, starts the
// game there and runs `script` on its own thread. Returns when the game has
// shut down. `settings` replaces bin\default.cfg when not empty.
void RunGame(const std::string& flow, const std::function<void()>& script, const std::string& settings = "");

// The folder the game of the current flow runs in.
const std::string& GameFolder();

// Lets the render thread draw `count` frames, 16 ms of test clock each.
void Frames(int count = 1);
// Frames until `done` holds or `limit` frames have passed; true if it held.
bool FramesUntil(const std::function<bool()>& done, int limit = 600);
void WaitMilliseconds(int milliseconds);

// The injected pointer, in interface units (2.0 across, 1.5 down).
void MoveTo(float x, float y);
void MoveToWidget(const Widget& widget);
// Press and release the left (or right) button where the pointer is.
void LeftClick();
void RightClick();
void ClickWidget(const std::string& name);
// Typed characters and keys, as the window procedure receives them.
void Type(const std::string& text);
void PressKey(int virtualKey);

// Saves the last drawn frame as build/screens/<flow>/<name>.png.
void Screenshot(const std::string& name);

// Asks the game to close its window and lets it run to the end.
void CloseWindow();

// Widgets of the screen being shown.
bool HasWidget(const std::string& name);
bool WidgetShown(const std::string& name);

}  // namespace play
