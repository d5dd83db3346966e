#include "frame_gate.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "app/engine.h"
#include "app/test_hooks.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "platform/window.h"

namespace framegate {
namespace {
std::mutex gateLock;
std::condition_variable gateChanged;
int framesAllowed = 0;
int framesDone = 0;
int freeFramesLeft = 0;
bool gateOpen = false;
int frameMilliseconds = 16;
std::function<void()> pendingTask;
bool taskDone = false;
std::function<void()> frameObserver;
std::chrono::steady_clock::time_point frameResumed = std::chrono::steady_clock::now();
double lastFrameMilliseconds = 0;

// Render thread, after every frame: free frames go straight on; otherwise
// count the frame, run what the script asks for and wait for the next one.
void AfterFrame() {
  lastFrameMilliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - frameResumed).count();
  if (frameObserver) frameObserver();
  std::unique_lock<std::mutex> hold(gateLock);
  if (freeFramesLeft > 1) {
    --freeFramesLeft;
    AdvanceTestClock(frameMilliseconds);
    frameResumed = std::chrono::steady_clock::now();
    return;
  }
  freeFramesLeft = 0;
  ++framesDone;
  gateChanged.notify_all();
  for (;;) {
    gateChanged.wait(hold, [] { return gateOpen || framesAllowed > framesDone || pendingTask; });
    if (!pendingTask) {
      frameResumed = std::chrono::steady_clock::now();
      return;
    }
    pendingTask();
    pendingTask = nullptr;
    taskDone = true;
    gateChanged.notify_all();
  }
}

void OpenGate() {
  std::lock_guard<std::mutex> hold(gateLock);
  gateOpen = true;
  gateChanged.notify_all();
}

// Lets the next frame (and `freeFrames` - 1 more) run and waits until it is done.
void Step(int freeFrames) {
  std::unique_lock<std::mutex> hold(gateLock);
  if (gateOpen || Messages.QuitRequested) return;
  freeFramesLeft = freeFrames;
  AdvanceTestClock(frameMilliseconds);
  framesAllowed = framesDone + 1;
  gateChanged.notify_all();
  gateChanged.wait(hold, [] { return framesDone >= framesAllowed || gateOpen; });
}
}  // namespace

void Run(const std::function<void()>& script) {
  framesAllowed = framesDone = freeFramesLeft = 0;
  gateOpen = false;
  frameMilliseconds = 16;
  pendingTask = nullptr;
  SetTestClock(1000000);
  SetClockSource(TestClock);
  TestMouse = InjectedMouse{true, 400, 300, false, false};
  SetAfterFrameHook(AfterFrame);

  std::thread scriptThread([&] {
    {
      std::unique_lock<std::mutex> hold(gateLock);
      gateChanged.wait(hold, [] { return framesDone > 0; });
    }
    script();
    Close();
  });
  EngineStart();
  OpenGate();
  scriptThread.join();
  EngineShutdown();

  SetAfterFrameHook(nullptr);
  TestMouse = InjectedMouse{};
  SetClockSource(nullptr);
}

void SetFrameObserver(const std::function<void()>& observer) { frameObserver = observer; }

void Frames(int count) {
  for (int i = 0; i < count; ++i) Step(1);
}

void FreeFrames(int count) { Step(count); }

void SetFrameMilliseconds(int milliseconds) { frameMilliseconds = milliseconds; }

int FrameMilliseconds() { return frameMilliseconds; }

double LastFrameWallMilliseconds() { return lastFrameMilliseconds; }

void WaitMilliseconds(int milliseconds) { Frames((milliseconds + frameMilliseconds - 1) / frameMilliseconds); }

void OnRenderThread(const std::function<void()>& task) {
  std::unique_lock<std::mutex> hold(gateLock);
  if (gateOpen || Messages.QuitRequested) return;
  pendingTask = task;
  taskDone = false;
  gateChanged.notify_all();
  gateChanged.wait(hold, [] { return taskDone || gateOpen; });
}

void PressKey(int virtualKey) {
  WindowProc(Window.MainWindow, WM_KEYDOWN, static_cast<uintptr_t>(virtualKey), 0);
  if (virtualKey == VK_RETURN || virtualKey == VK_BACK || virtualKey == VK_ESCAPE)
    WindowProc(Window.MainWindow, WM_CHAR, static_cast<uintptr_t>(virtualKey), 0);
  Frames(1);
  WindowProc(Window.MainWindow, WM_KEYUP, static_cast<uintptr_t>(virtualKey), 0);
  Frames(1);
}

void Close() {
  if (!Messages.QuitRequested) InjectClose();
  OpenGate();
}

}  // namespace framegate
