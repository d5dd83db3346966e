#include "game_session.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "bench_device.h"
#include "core/options.h"
#include "frame_gate.h"
#include "platform/test_hooks.h"
#include "ui/widget_list.h"

namespace bench {
namespace {
using Clock = std::chrono::steady_clock;

bool timing = false;
std::vector<Clock::time_point> timedEnds;
std::function<void()> frameObserver;
bool logging = false;
std::vector<double> frameLog;

// Render thread, after every frame: the time it ended, while frames are timed.
void AfterFrame() {
  const Clock::time_point end = Clock::now();
  if (logging) frameLog.push_back(framegate::LastFrameWallMilliseconds());
  if (frameObserver) frameObserver();
  if (timing) timedEnds.push_back(end);
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
  framegate::SetFrameObserver(AfterFrame);
  // The walks win and lose rounds at once with the developer's keys.
  Options.debugKeys = true;
  framegate::Run(script);
  Options.debugKeys = false;
  framegate::SetFrameObserver(nullptr);
  if (chdir(previous) != 0) std::fprintf(stderr, "cannot return to %s\n", previous);
}

TimedRun TimedFrames(int count) {
  TimedRun run;
  timedEnds.clear();
  timedEnds.reserve(size_t(count) + 1);
  // One frame more than timed: the first only marks where timing starts.
  timing = true;
  const double cpuBefore = ProcessCpuSeconds();
  framegate::FreeFrames(count + 1);
  run.cpuMsPerFrame = (ProcessCpuSeconds() - cpuBefore) * 1000.0 / double(count + 1);
  timing = false;
  for (size_t i = 1; i < timedEnds.size(); ++i)
    run.frameMs.push_back(std::chrono::duration<double, std::milli>(timedEnds[i] - timedEnds[i - 1]).count());
  return run;
}

void StartFrameLog() {
  OnRenderThread([] {
    frameLog.clear();
    logging = true;
  });
}

std::vector<double> TakeFrameLog() {
  std::vector<double> taken;
  OnRenderThread([&] {
    logging = false;
    taken.swap(frameLog);
  });
  return taken;
}

void MoveTo(float x, float y) {
  TestMouse.x = x * 400.0f;
  TestMouse.y = y * 400.0f;
}

bool HasWidget(const std::string& name) {
  bool found = false;
  OnRenderThread([&] { found = !IsPlaceholder(FindWidget(name)); });
  return found;
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

}  // namespace bench
