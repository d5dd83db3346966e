#pragma once
// Runs the real game in this process, headless, with its real content,
// through the frame gate; frames can also run freely, back to back, to be
// timed by the real clock.
#include <functional>
#include <string>
#include <vector>

#include "bench_device.h"
#include "frame_gate.h"

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

using framegate::Frames;
using framegate::OnRenderThread;
using framegate::PressKey;
using framegate::WaitMilliseconds;

// Lets `count` frames run back to back, without waiting for the script.
TimedRun TimedFrames(int count);

// The wall time of every frame from now on (each from the moment the gate
// let it run), until taken.
void StartFrameLog();
std::vector<double> TakeFrameLog();

// The injected pointer, in interface units (2.0 across, 1.5 down).
void MoveTo(float x, float y);
bool ClickWidget(const std::string& name);
// Whether the current screen has a widget of that name.
bool HasWidget(const std::string& name);

}  // namespace bench
