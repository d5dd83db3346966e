#pragma once
// Runs the real game, with its real content, headless, one frame at a time.
// The engine keeps its two threads: the test's main thread pumps messages,
// the render thread draws; a script thread steps frames, moves the injected
// mouse, types keys and reads the game's state while the render thread waits.
#include <functional>
#include <map>
#include <string>

#include "bench/frame_gate.h"
#include "ui/widget_list.h"

namespace play {

struct GameSetup {
  // Replaces bin\default.cfg when not empty.
  std::string settings;
  // Files written into the game folder before the start, by relative path
  // ("data/profile0.s").
  std::map<std::string, std::string> files;
  // Starts again in the folder the flow's previous run left behind, as a
  // player starts the program a second time.
  bool sameFolder = false;
  // Starts the game as its executable in this folder starts it: from an
  // install, reading the data there and keeping the player's files in the
  // player's folder. The game folder is then not used.
  std::string executableFolder;
  // As started with --debug-keys.
  bool debugKeys = false;
};

// Copies the generated game folder into a fresh folder of its own, starts the
// game there and runs `script` on its own thread. Returns when the game has
// shut down.
void RunGame(const std::string& flow, const std::function<void()>& script, const GameSetup& setup = {});

// Runs the game as a player does: the live clock, the real pointer and the
// window's own events, no frame gate. `afterFrame` runs on the render thread
// after every frame; it acts on the game only through window events.
void RunGameLive(const std::string& flow, const std::function<void()>& afterFrame, const GameSetup& setup = {});

// The folder the game of the current flow runs in.
const std::string& GameFolder();

// Frames, their length (longer frames skip through fades and flights in
// fewer frames), tasks on the render thread and keys: the frame gate's.
using framegate::Frames;
using framegate::FrameMilliseconds;
using framegate::OnRenderThread;
using framegate::PressKey;
using framegate::SetFrameMilliseconds;
using framegate::WaitMilliseconds;
// Frames until `done` holds or `limit` frames have passed; true if it held.
bool FramesUntil(const std::function<bool()>& done, int limit = 600);

// The injected pointer, in interface units (2.0 across, 1.5 down).
void MoveTo(float x, float y);
void MoveToWidget(const Widget& widget);
// Press and release the left (or right) button where the pointer is, both
// before the next frame, as a quick tap does; two frames follow.
void LeftClick();
void RightClick();
// The left button alone, for a script that acts between press and release.
void PressLeft();
void ReleaseLeft();
// Waits until the widget has faded in, then clicks its middle.
void ClickWidget(const std::string& name);
// Typed characters, as the window procedure receives them.
void Type(const std::string& text);

// Saves the last drawn frame as build/screens/<flow>/<name>.png.
void Screenshot(const std::string& name);

// Widgets of the screen being shown.
bool HasWidget(const std::string& name);
bool WidgetShown(const std::string& name);

}  // namespace play
