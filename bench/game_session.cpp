#include "game_session.h"

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "app/engine.h"
#include "bench_device.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "platform/window.h"
#include "ui/widget_list.h"

namespace bench {
namespace {
constexpr uint32_t kFrameMs = 16;

using Clock = std::chrono::steady_clock;

std::mutex gateLock;
std::condition_variable gateChanged;
int framesAllowed = 0;
int framesDone = 0;
bool gateOpen = false;
std::function<void()> pendingTask;
bool taskDone = false;
int timedWanted = 0;
std::vector<Clock::time_point> timedEnds;
std::function<void()> frameObserver;

// Render thread, after every frame. Timed frames only note the time and go
// on; otherwise run what the script asked for and wait for the next frame.
void AfterFrame() {
  const Clock::time_point end = Clock::now();
  if (frameObserver) frameObserver();
  std::unique_lock<std::mutex> hold(gateLock);
  if (timedWanted > 0) {
    timedEnds.push_back(end);
    if (static_cast<int>(timedEnds.size()) < timedWanted) {
      TestClockNow += kFrameMs;
      return;
    }
    timedWanted = 0;
  }
  ++framesDone;
  gateChanged.notify_all();
  for (;;) {
    gateChanged.wait(hold, [] { return gateOpen || framesAllowed > framesDone || pendingTask; });
    if (!pendingTask) return;
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

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Sets `key value` on the line that holds the key (the files keep one entry a line).
void SetEntry(std::string* text, const std::string& key, const std::string& value) {
  size_t at = text->find("  " + key + " ");
  if (at == std::string::npos) return;
  size_t lineEnd = text->find('\n', at);
  text->replace(at, lineEnd - at, "  " + key + " " + value);
}
}  // namespace

std::string PrepareGameFolder(const std::string& builtGame, const std::string& tag) {
  const char* temp = std::getenv("TMPDIR");
  std::string folder = std::string(temp && *temp ? temp : "/tmp") + "/kestrin_bench_" + tag + "_" +
                       std::to_string(getpid());
  std::string copy = "rm -rf '" + folder + "' && cp -r '" + builtGame + "' '" + folder + "'";
  if (std::system(copy.c_str()) != 0) return "";
  std::string profile = FileText(folder + "/data/profile0.s");
  SetEntry(&profile, "name", "^Bench_");
  SetEntry(&profile, "empty", "0");
  SetEntry(&profile, "opened_maps", "9");
  SetEntry(&profile, "training", "1");
  std::ofstream(folder + "/data/profile0.s") << profile;
  std::string settings = FileText(folder + "/bin/default.cfg");
  SetEntry(&settings, "lastprofile", "0");
  std::ofstream(folder + "/bin/default.cfg") << settings;
  return folder;
}

void SetFrameObserver(const std::function<void()>& observer) { frameObserver = observer; }

void RunGame(const std::string& folder, const std::function<void()>& script) {
  PrepareHeadless();
  char previous[4096];
  if (!getcwd(previous, sizeof previous) || chdir(folder.c_str()) != 0) {
    std::fprintf(stderr, "cannot enter %s\n", folder.c_str());
    return;
  }
  framesAllowed = framesDone = 0;
  gateOpen = false;
  TestClockNow = 1000000;
  SetClockSource(TestClock);
  TestMouse = InjectedMouse{true, 400, 300, false, false};
  AfterFrameHook = AfterFrame;

  std::thread scriptThread([&] {
    {
      std::unique_lock<std::mutex> hold(gateLock);
      gateChanged.wait(hold, [] { return framesDone > 0; });
    }
    script();
    CloseGame();
  });
  EngineStart();
  OpenGate();
  scriptThread.join();
  EngineShutdown();

  AfterFrameHook = nullptr;
  TestMouse = InjectedMouse{};
  SetClockSource(nullptr);
  if (chdir(previous) != 0) std::fprintf(stderr, "cannot return to %s\n", previous);
}

void Frames(int count) {
  for (int i = 0; i < count; ++i) {
    std::unique_lock<std::mutex> hold(gateLock);
    if (gateOpen || QuitRequested) return;
    TestClockNow += kFrameMs;
    framesAllowed = framesDone + 1;
    gateChanged.notify_all();
    gateChanged.wait(hold, [] { return framesDone >= framesAllowed || gateOpen; });
  }
}

void WaitMilliseconds(int milliseconds) { Frames((milliseconds + int(kFrameMs) - 1) / int(kFrameMs)); }

void OnRenderThread(const std::function<void()>& task) {
  std::unique_lock<std::mutex> hold(gateLock);
  if (gateOpen || QuitRequested) return;
  pendingTask = task;
  taskDone = false;
  gateChanged.notify_all();
  gateChanged.wait(hold, [] { return taskDone || gateOpen; });
}

TimedRun TimedFrames(int count) {
  TimedRun run;
  double cpuBefore = 0;
  {
    std::unique_lock<std::mutex> hold(gateLock);
    if (gateOpen || QuitRequested) return run;
    timedEnds.clear();
    timedEnds.reserve(size_t(count) + 1);
    // One frame more than timed: the first only marks where timing starts.
    timedWanted = count + 1;
    cpuBefore = ProcessCpuSeconds();
    TestClockNow += kFrameMs;
    framesAllowed = framesDone + 1;
    gateChanged.notify_all();
    gateChanged.wait(hold, [] { return framesDone >= framesAllowed || gateOpen; });
  }
  run.cpuMsPerFrame = (ProcessCpuSeconds() - cpuBefore) * 1000.0 / double(count + 1);
  for (size_t i = 1; i < timedEnds.size(); ++i)
    run.frameMs.push_back(std::chrono::duration<double, std::milli>(timedEnds[i] - timedEnds[i - 1]).count());
  return run;
}

void MoveTo(float x, float y) {
  TestMouse.x = x * 400.0f;
  TestMouse.y = y * 400.0f;
}

bool ClickWidget(const std::string& name) {
  bool found = false;
  float x = 0, y = 0;
  OnRenderThread([&] {
    Widget& widget = FindWidget(name);
    found = !IsPlaceholder(widget);
    x = widget.x + widget.width / 2;
    y = widget.y + widget.height / 2;
  });
  if (!found) return false;
  MoveTo(x, y);
  Frames(2);
  TestMouse.left = true;
  Frames(1);
  TestMouse.left = false;
  Frames(1);
  return true;
}

void PressKey(int virtualKey) {
  WindowProc(MainWindow, WM_KEYDOWN, static_cast<uintptr_t>(virtualKey), 0);
  if (virtualKey == VK_RETURN || virtualKey == VK_BACK || virtualKey == VK_ESCAPE)
    WindowProc(MainWindow, WM_CHAR, static_cast<uintptr_t>(virtualKey), 0);
  Frames(1);
  WindowProc(MainWindow, WM_KEYUP, static_cast<uintptr_t>(virtualKey), 0);
  Frames(1);
}

void CloseGame() {
  if (!QuitRequested) InjectClose();
  OpenGate();
}

}  // namespace bench
