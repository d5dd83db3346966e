// Frame times of the whole game at 800 x 600 through the real frame loop, for
// the main menu, the world map, a level in play with most cells open and the
// win screen with its sparkles; the same frames drawn as one batched draw
// call for comparison; the start-up time of the real game binary; and the
// peak resident memory.
//
// Each measurement runs in a child process of its own so that every run
// starts from a fresh process:
//   kestrin_frames [frames]          all of it, with a summary
//   kestrin_frames play OUT          the game on OpenGL: frame times, memory
//   kestrin_frames record DIR        the game on the recording device: one
//                                    frame of each scene as triangles
//   kestrin_frames reference DIR OUT those triangles in one draw call
//   kestrin_frames startup OUT       the real binary, started several times
//   kestrin_frames pictures DIR [save] each scene compared with DIR/<scene>.png
//                                    (half size), or saved there
//   kestrin_frames transitions OUT   every frame of the changes between screens
//   kestrin_frames hidden OUT        processor time with the window shown, then hidden
//   kestrin_frames soak OUT [rounds] resident memory, open files and the heap in use over many rounds
#include <dirent.h>
#include <epoxy/gl.h>
#include <fcntl.h>
#include <malloc.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/engine.h"
#include "app/test_hooks.h"
#include "bench_device.h"
#include "core/graphics_device.h"
#include "game/board.h"
#include "game_session.h"
#include "platform/d3d9/recording/recording_device.h"
#include "platform/png_image.h"
#include "platform/test_hooks.h"
#include "platform/window.h"
#include "platform/window_visibility.h"
#include "reference_scene.h"
#include "scene_pictures.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kWarmFrames = 30;
int framesPerScene = 400;
std::string onlyScene;  // when set, only this scene is timed

struct Scene {
  const char* id;
  const char* title;
};
const Scene kScenes[] = {
    {"menu", "main menu"},
    {"map", "world map"},
    {"level", "level in play"},
    {"win", "win screen"},
};

std::string ScreensFolder() { return std::string(KESTRIN_BINARY_DIR) + "/screens/bench"; }

// Safe cells opened, every other bomb flagged, the rest left closed.
void OpenMostCells() {
  bool flag = false;
  for (int i = 0; i < Level.cellCount; ++i) {
    if (!cellExists(Level, i)) continue;
    HexCell& cell = Level.cells[i];
    if (cell.content != CellBomb) {
      openCell(Level, i);
    } else {
      cell.flagged = flag;
      flag = !flag;
    }
  }
}

// Walks through the four scenes the way a player gets there and calls
// `atScene` with the index of each once it has settled.
void VisitScenes(const std::function<void(int)>& atScene) {
  using namespace bench;
  WaitMilliseconds(2000);
  atScene(0);
  if (!ClickWidget("play")) std::fprintf(stderr, "no play button\n");
  WaitMilliseconds(5000);
  atScene(1);
  if (!ClickWidget("k_2")) std::fprintf(stderr, "no second island\n");
  WaitMilliseconds(2000);
  OnRenderThread(OpenMostCells);
  MoveTo(1.0f, 0.7f);
  WaitMilliseconds(500);
  atScene(2);
  // The debug key of a round: points, and the win screen at once.
  PressKey(VK_RETURN);
  WaitMilliseconds(6000);
  atScene(3);
}

long StatusKilobytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key));
  return 0;
}

// How many times one frame covers the screen: `shaded` counts the samples
// that pass the depth test, the ones the rasterizer shades (it tests depth
// before shading where a shader keeps its depth); `rasterized` counts what
// the triangles cover before that test, as the driver reports it.
struct Screenfuls {
  double shaded = 0, rasterized = 0;
};

Screenfuls ScreenfulsOfOneFrame() {
  const GLenum targets[2] = {GL_SAMPLES_PASSED, GL_FRAGMENT_SHADER_INVOCATIONS_ARB};
  bool statistics = false;
  GLuint queries[2] = {};
  bench::OnRenderThread([&] {
    statistics = epoxy_has_gl_extension("GL_ARB_pipeline_statistics_query");
    glGenQueries(2, queries);
    for (int i = 0; i < (statistics ? 2 : 1); ++i) glBeginQuery(targets[i], queries[i]);
  });
  bench::Frames(1);
  GLuint64 counts[2] = {};
  bench::OnRenderThread([&] {
    for (int i = 0; i < (statistics ? 2 : 1); ++i) {
      glEndQuery(targets[i]);
      glGetQueryObjectui64v(queries[i], GL_QUERY_RESULT, &counts[i]);
    }
    glDeleteQueries(2, queries);
  });
  const double screen = double(kWidth * kHeight);
  return {double(counts[0]) / screen, double(counts[1]) / screen};
}

int RunPlay(const std::string& out) {
  std::ofstream results(out);
  std::string folder = bench::PrepareGameFolder(KESTRIN_GAME_DIR, "play");
  std::system(("mkdir -p '" + ScreensFolder() + "'").c_str());
  bench::RunGame(folder, [&] {
    VisitScenes([&](int scene) {
      std::string shot = ScreensFolder() + "/" + kScenes[scene].id + ".png";
      bench::OnRenderThread([&] {
        ArgbImage image;
        Device->ReadBackBuffer(&image.pixels, &image.width, &image.height);
        SavePng(shot, image);
      });
      if (!onlyScene.empty() && onlyScene != kScenes[scene].id) return;
      const Screenfuls screenfuls = ScreenfulsOfOneFrame();
      results << "screenfuls " << kScenes[scene].id << " " << screenfuls.shaded << " " << screenfuls.rasterized << "\n";
      bench::TimedFrames(kWarmFrames);
      bench::TimedRun run = bench::TimedFrames(framesPerScene);
      results << "frames " << kScenes[scene].id << " " << run.cpuMsPerFrame;
      for (double ms : run.frameMs) results << " " << ms;
      results << "\n";
    });
  });
  results << "memory " << StatusKilobytes("VmHWM:") << "\n";
  std::system(("rm -rf '" + folder + "'").c_str());
  return results ? 0 : 1;
}

// Each scene's frame, halved, saved to or compared with dir/<scene>.png.
int RunPictures(const std::string& dir, bool save) {
  std::string folder = bench::PrepareGameFolder(KESTRIN_GAME_DIR, "pictures");
  int unlike = 0;
  bench::RunGame(folder, [&] {
    VisitScenes([&](int scene) {
      ArgbImage frame;
      bench::OnRenderThread([&] { Device->ReadBackBuffer(&frame.pixels, &frame.width, &frame.height); });
      const ArgbImage half = bench::HalveImage(frame);
      const std::string path = dir + "/" + kScenes[scene].id + ".png";
      if (save) {
        unlike += !SavePng(path, half);
        return;
      }
      ArgbImage before;
      const bool loaded = bench::LoadPicture(path, &before);
      const bench::PictureDifference difference = bench::ComparePictures(before, half);
      const bool alike = loaded && bench::PicturesAlike(difference);
      std::printf("%-14s %s: largest channel difference %d, %.3f%% of pixels off by more than an edge's\n",
                  kScenes[scene].title, alike ? "alike" : "CHANGED", difference.largest,
                  100.0 * difference.changedShare);
      if (!alike) SavePng(ScreensFolder() + "/" + kScenes[scene].id + "_changed.png", half);
      unlike += !alike;
    });
  });
  std::system(("rm -rf '" + folder + "'").c_str());
  return unlike == 0 ? 0 : 1;
}

// ---- The changes between screens ----

struct Change {
  const char* title;
  const char* reached;  // a widget of the screen the change leads to
};
const Change kChanges[] = {{"main menu -> world map", "k_2"}, {"world map -> round", "ingame"},
                           {"round -> win screen", "next"}, {"win screen -> world map", "back_to_menu"},
                           {"world map -> main menu", "play"}};

// Walks menu, map, round, win screen, map and menu, logging every frame of
// each change until the next; the round's own frames between. Fails when a
// change does not reach its screen.
int RunTransitions(const std::string& out) {
  std::ofstream results(out);
  std::string folder = bench::PrepareGameFolder(KESTRIN_GAME_DIR, "transitions");
  int missed = 0;
  bench::RunGame(folder, [&] {
    using namespace bench;
    WaitMilliseconds(2000);
    int index = 0;
    auto change = [&](const std::function<void()>& make) {
      StartFrameLog();
      make();
      WaitMilliseconds(3000);
      if (!HasWidget(kChanges[index].reached)) {
        ++missed;
        std::fprintf(stderr, "missed: %s\n", kChanges[index].title);
      }
      results << "change " << index++;
      for (double ms : TakeFrameLog()) results << " " << ms;
      results << "\n";
    };
    change([] { ClickWidget("play"); });
    size_t statesBefore = 0, statesAfter = 0;
    OnRenderThread([&] { statesBefore = d3d9::DrawStatesMetForTests(); });
    change([] { ClickWidget("k_2"); });
    StartFrameLog();
    Frames(100);
    results << "round";
    for (double ms : TakeFrameLog()) results << " " << ms;
    results << "\n";
    // The menus have drawn with every state of the round already.
    OnRenderThread([&] { statesAfter = d3d9::DrawStatesMetForTests(); });
    if (statesAfter != statesBefore) {
      ++missed;
      std::fprintf(stderr, "the round drew with %zu states the menus had not\n", statesAfter - statesBefore);
    }
    change([] { PressKey(VK_RETURN); });
    change([] { ClickWidget("next"); });
    change([] { ClickWidget("back_to_menu"); });
  });
  std::system(("rm -rf '" + folder + "'").c_str());
  return results && missed == 0 ? 0 : 1;
}

// ---- Processor time while nobody sees the window ----

long OpenFiles() {
  long count = 0;
  if (DIR* fds = opendir("/proc/self/fd")) {
    while (readdir(fds)) ++count;
    closedir(fds);
  }
  return count - 2;  // "." and ".."
}

std::atomic<int> framesSeen{0};
void CountFrame() { ++framesSeen; }

// The real frame loop, free-running: the share of a core the whole process
// uses over `seconds` with the main menu shown, then with the window hidden.
int RunHidden(const std::string& out) {
  std::ofstream results(out);
  std::string folder = bench::PrepareGameFolder(KESTRIN_GAME_DIR, "hidden");
  char previous[4096];
  if (!getcwd(previous, sizeof previous) || chdir(folder.c_str()) != 0) return 1;
  constexpr double kSeconds = 3.0;
  std::thread measure([&] {
    while (framesSeen < 60) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    for (bool hidden : {false, true}) {
      SetWindowHidden(hidden);
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      const double before = bench::ProcessCpuSeconds();
      const int framesBefore = framesSeen;
      std::this_thread::sleep_for(std::chrono::duration<double>(kSeconds));
      results << (hidden ? "hidden " : "shown ") << 100.0 * (bench::ProcessCpuSeconds() - before) / kSeconds << " "
              << framesSeen - framesBefore << "\n";
    }
    SetWindowHidden(false);
    InjectClose();
  });
  SetAfterFrameHook(CountFrame);
  EngineStart();
  measure.join();
  EngineShutdown();
  SetAfterFrameHook(nullptr);
  if (chdir(previous) != 0) return 1;
  std::system(("rm -rf '" + folder + "'").c_str());
  return results ? 0 : 1;
}

// ---- Many rounds in one process ----

int soakRounds = 50;

// Rounds on the second to fourth islands, won and lost in turn, each left
// through the results screen to the map; every fifth through the main menu.
int RunSoak(const std::string& out) {
  std::ofstream results(out);
  int missed = 0;
  std::string folder = bench::PrepareGameFolder(KESTRIN_GAME_DIR, "soak");
  bench::RunGame(folder, [&] {
    using namespace bench;
    framegate::SetFrameMilliseconds(48);
    WaitMilliseconds(2000);
    ClickWidget("play");
    WaitMilliseconds(2000);
    for (int round = 1; round <= soakRounds; ++round) {
      const bool clicked = ClickWidget("k_" + std::to_string(2 + round % 3));
      WaitMilliseconds(1000);
      const bool started = clicked && HasWidget("ingame");
      PressKey(round % 2 ? VK_RETURN : VK_BACK);
      WaitMilliseconds(3000);
      const bool ended = ClickWidget("next");
      WaitMilliseconds(2000);
      if (!started || !ended || !HasWidget("k_2")) {
        ++missed;
        std::fprintf(stderr, "missed a screen in round %d\n", round);
      }
      if (round % 5 == 0 && ClickWidget("back_to_menu")) {
        WaitMilliseconds(2000);
        ClickWidget("play");
        WaitMilliseconds(2000);
      }
      // The heap's bytes in use besides the resident size: a leak grows both,
      // the heap's high water after a passing peak only the resident size.
      // Read between two frames, the driver done with the last: what a frame
      // holds while it is drawn is not the rounds' growth.
      if (round == 1 || round % 10 == 0 || round == soakRounds)
        OnRenderThread([&] {
          glFinish();
          results << "after " << round << " " << StatusKilobytes("VmRSS:") << " " << OpenFiles() << " "
                  << mallinfo2().uordblks / 1024 << "\n";
        });
    }
  });
  std::system(("rm -rf '" + folder + "'").c_str());
  return results && missed == 0 ? 0 : 1;
}

int RunRecord(const std::string& dir) {
  // The fixed-function path: every draw then carries its own transforms.
  d3d9::SetBackend(d3d9::Backend::Recording);
  d3d9::TheRecordingConfig.caps.VertexShaderVersion = D3DVS_VERSION(1, 1);
  d3d9::TheRecordingConfig.caps.PixelShaderVersion = D3DPS_VERSION(1, 1);
  std::string folder = bench::PrepareGameFolder(KESTRIN_GAME_DIR, "record");
  int capture = -1;
  bool saved = true;
  bench::SetFrameObserver([&] {
    d3d9::RecordingDevice* device = d3d9::LastRecordingDevice();
    if (!device) return;
    if (capture >= 0) {
      bench::ReferenceScene scene = bench::FlattenDraws(device->Draws(), kWidth, kHeight);
      saved = bench::SaveReferenceScene(dir + "/" + kScenes[capture].id + ".tri", scene) && saved;
      capture = -1;
    }
    device->ClearLog();
  });
  bench::RunGame(folder, [&] {
    VisitScenes([&](int scene) {
      bench::OnRenderThread([&] { capture = scene; });
      bench::Frames(1);
    });
  });
  bench::SetFrameObserver(nullptr);
  std::system(("rm -rf '" + folder + "'").c_str());
  return saved ? 0 : 1;
}

int RunReference(const std::string& dir, const std::string& out) {
  std::ofstream results(out);
  for (const Scene& scene : kScenes) {
    bench::ReferenceScene triangles;
    if (!bench::LoadReferenceScene(dir + "/" + scene.id + ".tri", &triangles)) continue;
    std::string why;
    std::string shot = ScreensFolder() + "/" + scene.id + "_reference.png";
    bench::TimedRun run = bench::TimeReferenceScene(triangles, kWidth, kHeight, framesPerScene, shot, &why);
    if (run.frameMs.empty()) std::fprintf(stderr, "reference %s: %s\n", scene.id, why.c_str());
    results << "reference " << scene.id << " " << triangles.draws << " " << triangles.triangles.size() / 3 << " "
            << triangles.textureSize << " " << run.cpuMsPerFrame;
    for (double ms : run.frameMs) results << " " << ms;
    results << "\n";
  }
  return results ? 0 : 1;
}

// ---- The real binary's start-up ----

int64_t MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

struct StartUp {
  double toMenuMs = -1;  // process start to the first main-menu frame
  long peakKilobytes = 0;
};

// Starts the game in `folder` with the probe loaded; the probe notes the
// first frame of the render thread and closes the game.
StartUp StartGameOnce(const std::string& folder, const std::string& cacheFolder) {
  StartUp result;
  const std::string note = folder + "/startup_probe.txt";
  unlink(note.c_str());
  const int64_t before = MonotonicNanoseconds();
  pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(127);
    int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, 1);
    dup2(quiet, 2);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("LD_PRELOAD", KESTRIN_STARTUP_PROBE, 1);
    if (cacheFolder.empty()) {
      setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
    } else {
      unsetenv("MESA_SHADER_CACHE_DISABLE");
      setenv("MESA_SHADER_CACHE_DIR", cacheFolder.c_str(), 1);
    }
    execl("./kestrin", "kestrin", static_cast<char*>(nullptr));
    _exit(127);
  }
  if (child < 0) return result;
  rusage usage{};
  int status = 0;
  for (int waited = 0;; ++waited) {
    pid_t done = wait4(child, &status, WNOHANG, &usage);
    if (done == child) break;
    if (waited > 1200) {  // a minute: the game did not close
      kill(child, SIGKILL);
      wait4(child, &status, 0, &usage);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  result.peakKilobytes = usage.ru_maxrss;
  std::ifstream in(note);
  int64_t shown = 0;
  if (in >> shown && shown > before) result.toMenuMs = double(shown - before) / 1e6;
  return result;
}

int RunStartup(const std::string& out, int runs) {
  std::ofstream results(out);
  std::string folder = bench::PrepareGameFolder(KESTRIN_GAME_DIR, "startup");
  std::string cache = folder + "/.shader_cache";
  // Cold: no shader cache, as on the first start. Warm: Mesa's cache filled
  // by an earlier start, as on every later one.
  for (int i = 0; i < runs; ++i) {
    StartUp s = StartGameOnce(folder, "");
    results << "startup cold " << s.toMenuMs << " " << s.peakKilobytes << "\n";
  }
  StartGameOnce(folder, cache);
  for (int i = 0; i < runs; ++i) {
    StartUp s = StartGameOnce(folder, cache);
    results << "startup warm " << s.toMenuMs << " " << s.peakKilobytes << "\n";
  }
  std::system(("rm -rf '" + folder + "'").c_str());
  return results ? 0 : 1;
}

// ---- Summary ----

struct Figures {
  double median = 0, p95 = 0, mean = 0;
};

Figures Summarise(std::vector<double> values) {
  Figures f;
  if (values.empty()) return f;
  std::sort(values.begin(), values.end());
  f.median = values[values.size() / 2];
  f.p95 = values[std::min(values.size() - 1, size_t(double(values.size()) * 0.95))];
  for (double v : values) f.mean += v;
  f.mean /= double(values.size());
  return f;
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

// The game's own output (layout traces, the sound system's complaints) goes
// to a log beside the screenshots, so the summary stays readable.
std::string ChildLog() { return std::string(KESTRIN_BINARY_DIR) + "/screens/bench/children.log"; }

int Child(const std::vector<std::string>& args) {
  pid_t child = fork();
  if (child == 0) {
    int log = open(ChildLog().c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (log >= 0) {
      dup2(log, 1);
      dup2(log, 2);
    }
    std::vector<char*> argv;
    std::string self = "/proc/self/exe";
    argv.push_back(self.data());
    std::vector<std::string> copies = args;
    copies.push_back(std::to_string(framesPerScene));
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(self.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

std::vector<std::vector<std::string>> ReadLines(const std::string& path) {
  std::vector<std::vector<std::string>> lines;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::vector<std::string> fields;
    std::string w;
    while (words >> w) fields.push_back(w);
    if (!fields.empty()) lines.push_back(fields);
  }
  return lines;
}

std::vector<double> Numbers(const std::vector<std::string>& fields, size_t from) {
  std::vector<double> numbers;
  for (size_t i = from; i < fields.size(); ++i) numbers.push_back(std::atof(fields[i].c_str()));
  return numbers;
}

// One scene's figures from one run.
struct SceneRun {
  Figures frames;
  double cpu = 0;
  std::string draws, triangles, textureSize;  // reference runs only
};

// Runs `count` children of `mode` into dir/<mode><i>.txt and reads the
// figures of each scene from them.
std::map<std::string, std::vector<SceneRun>> Runs(const std::string& dir, const std::string& mode, int count,
                                                  long* peak, int* failures,
                                                  std::map<std::string, double>* screenfuls = nullptr) {
  std::map<std::string, std::vector<SceneRun>> runs;
  for (int i = 0; i < count; ++i) {
    const std::string out = dir + "/" + mode + std::to_string(i) + ".txt";
    *failures += (mode == "play" ? Child({"play", out}) : Child({"reference", dir, out})) != 0;
    for (auto& fields : ReadLines(out)) {
      if (fields[0] == "screenfuls" && fields.size() > 3 && screenfuls) {
        (*screenfuls)[fields[1]] = std::atof(fields[2].c_str());
        (*screenfuls)[fields[1] + " rasterized"] = std::atof(fields[3].c_str());
      }
      if (fields[0] == "memory" && fields.size() > 1) *peak = std::max(*peak, std::atol(fields[1].c_str()));
      if (fields[0] == "frames" && fields.size() > 3)
        runs[fields[1]].push_back({Summarise(Numbers(fields, 3)), std::atof(fields[2].c_str()), "", "", ""});
      if (fields[0] == "reference" && fields.size() > 6)
        runs[fields[1]].push_back(
            {Summarise(Numbers(fields, 6)), std::atof(fields[5].c_str()), fields[2], fields[3], fields[4]});
    }
  }
  return runs;
}

// The run whose median frame time is the median of the runs'.
SceneRun MedianRun(std::vector<SceneRun> runs) {
  std::sort(runs.begin(), runs.end(), [](const SceneRun& a, const SceneRun& b) { return a.frames.median < b.frames.median; });
  return runs[runs.size() / 2];
}

// The worst frame of each change in each run, and the one line that sums
// them up beside the round's median frame.
int ReportTransitions(const std::string& dir, int runs) {
  std::vector<std::vector<double>> worst(std::size(kChanges));
  std::vector<double> roundMedians;
  int failures = 0;
  for (int i = 0; i < runs; ++i) {
    const std::string out = dir + "/transitions" + std::to_string(i) + ".txt";
    failures += Child({"transitions", out}) != 0;
    for (auto& fields : ReadLines(out)) {
      std::vector<double> frames = Numbers(fields, fields[0] == "change" ? 2 : 1);
      if (frames.empty()) continue;
      const size_t change = size_t(std::atoi(fields.size() > 1 ? fields[1].c_str() : ""));
      if (fields[0] == "round") roundMedians.push_back(Summarise(frames).median);
      if (fields[0] == "change" && change < worst.size())
        worst[change].push_back(*std::max_element(frames.begin(), frames.end()));
    }
  }
  std::printf("\nchanges between screens, worst frame of each run (ms):\n");
  double worstOfAll = 0;
  size_t worstChange = 0;
  for (size_t c = 0; c < worst.size(); ++c) {
    std::printf("  %-24s", kChanges[c].title);
    for (double ms : worst[c]) {
      std::printf(" %7.1f", ms);
      if (ms > worstOfAll) worstOfAll = ms, worstChange = c;
    }
    std::printf("\n");
  }
  std::printf("transitions: worst %.1f ms (%s), round median %.1f ms\n", worstOfAll, kChanges[worstChange].title,
              Summarise(roundMedians).median);
  return failures;
}

int ReportHidden(const std::string& dir) {
  const std::string out = dir + "/hidden.txt";
  const int failures = Child({"hidden", out}) != 0;
  std::map<std::string, std::vector<std::string>> lines;
  for (auto& fields : ReadLines(out))
    if (fields.size() >= 3) lines[fields[0]] = fields;
  if (lines.count("hidden") && lines.count("shown"))
    std::printf("hidden window: %.1f%% of a core, %s frames in 3 s (shown: %.0f%%, %s frames)\n",
                std::atof(lines["hidden"][1].c_str()), lines["hidden"][2].c_str(),
                std::atof(lines["shown"][1].c_str()), lines["shown"][2].c_str());
  return failures;
}

int ReportSoak(const std::string& dir) {
  const std::string out = dir + "/soak.txt";
  const int failures = Child({"soak", out, "50"}) != 0;
  std::vector<std::vector<std::string>> after;
  for (auto& fields : ReadLines(out)) {
    if (fields[0] == "after" && fields.size() >= 4) after.push_back(fields);
  }
  if (after.size() < 2) return failures + 1;
  std::printf("soak: %s rounds, %.1f MB after the first, %.1f MB after the last; open files %s and %s (MB after",
              after.back()[1].c_str(), std::atof(after.front()[2].c_str()) / 1024.0,
              std::atof(after.back()[2].c_str()) / 1024.0, after.front()[3].c_str(), after.back()[3].c_str());
  for (const auto& fields : after) std::printf(" %s: %.1f", fields[1].c_str(), std::atof(fields[2].c_str()) / 1024.0);
  std::printf("); heap in use");
  for (const auto& fields : after)
    if (fields.size() >= 5) std::printf(" %s: %.1f", fields[1].c_str(), std::atof(fields[4].c_str()) / 1024.0);
  std::printf(" MB\n");
  return failures;
}

int RunAll() {
  constexpr int kRuns = 3;
  char pattern[] = "/tmp/kestrin_frames_XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string dir = pattern;
  std::system(("mkdir -p '" + ScreensFolder() + "'").c_str());
  unlink(ChildLog().c_str());
  std::printf("Kestrin frame benchmark: %d x %d, %d frames per scene after %d to warm up, %d runs\n", kWidth, kHeight,
              framesPerScene, kWarmFrames, kRuns);
  std::printf("load average before: %s\n", LoadAverage().c_str());
  std::fflush(stdout);
  int failures = 0;
  long peak = 0, unused = 0;
  failures += Child({"record", dir}) != 0;
  std::map<std::string, double> screenfuls;
  auto played = Runs(dir, "play", kRuns, &peak, &failures, &screenfuls);
  std::string loadAfterPlay = LoadAverage();
  auto reference = Runs(dir, "reference", kRuns, &unused, &failures);
  failures += Child({"startup", dir + "/startup.txt"}) != 0;

  std::printf("load average after the game's frames: %s\n\n", loadAfterPlay.c_str());
  std::printf("%-14s %9s %13s %8s %5s %7s %6s %6s | %5s %9s | %7s %8s %8s %7s | %10s %9s\n", "scene",
              "median ms", "(runs)", "p95 ms", "fps", "cpu ms", "shaded", "raster", "draws", "triangles", "ref tex", "ref med", "ref cpu", "ref fps",
              "ratio wall", "ratio cpu");
  for (const Scene& scene : kScenes) {
    if (played[scene.id].empty()) {
      std::printf("%-14s not measured\n", scene.title);
      continue;
    }
    const auto& runs = played[scene.id];
    SceneRun ours = MedianRun(runs);
    double low = runs[0].frames.median, high = low;
    for (const SceneRun& r : runs) low = std::min(low, r.frames.median), high = std::max(high, r.frames.median);
    char range[32];
    std::snprintf(range, sizeof range, "%.1f-%.1f", low, high);
    std::printf("%-14s %9.2f %13s %8.2f %5.0f %7.2f %6.2f %6.2f |", scene.title, ours.frames.median, range,
                ours.frames.p95, 1000.0 / ours.frames.mean, ours.cpu, screenfuls[scene.id],
                screenfuls[std::string(scene.id) + " rasterized"]);
    if (!reference[scene.id].empty()) {
      SceneRun ref = MedianRun(reference[scene.id]);
      std::printf(" %5s %9s | %7s %8.2f %8.2f %7.0f | %10.2f %9.2f\n", ref.draws.c_str(), ref.triangles.c_str(),
                  ref.textureSize.c_str(), ref.frames.median, ref.cpu, 1000.0 / ref.frames.mean, ours.frames.median / ref.frames.median,
                  ours.cpu / ref.cpu);
    } else {
      std::printf(" no reference\n");
    }
  }
  std::printf("\nEach figure from the run with the median median; (runs) = the medians' range.\n"
              "fps = frames / total time; cpu = processor time per frame, all threads (rasterizer's too);\n"
              "shaded = pixels shaded in one frame / the screen's (samples passing the depth test);\n"
              "raster = pixels the frame's triangles cover before the depth test / the screen's;\n"
              "draws and triangles of one frame; ratio = ours / the reference's (one draw call, same triangles,\n"
              "one texture of the frame's largest size: ref tex)\n");
  std::printf("peak resident memory in play (VmHWM, highest of the runs): %.1f MB\n\n", double(peak) / 1024.0);

  std::map<std::string, std::vector<double>> startTimes;
  std::map<std::string, long> startPeaks;
  for (auto& fields : ReadLines(dir + "/startup.txt")) {
    if (fields[0] != "startup" || fields.size() < 4) continue;
    startTimes[fields[1]].push_back(std::atof(fields[2].c_str()));
    startPeaks[fields[1]] = std::max(startPeaks[fields[1]], std::atol(fields[3].c_str()));
  }
  for (const char* kind : {"cold", "warm"}) {
    Figures f = Summarise(startTimes[kind]);
    std::printf("start-up to the first main-menu frame, shader cache %s: median %.0f ms over %zu runs (",
                std::strcmp(kind, "cold") == 0 ? "off " : "warm", f.median, startTimes[kind].size());
    for (double t : startTimes[kind]) std::printf(" %.0f", t);
    std::printf(" ), peak memory %.1f MB\n", double(startPeaks[kind]) / 1024.0);
  }
  failures += ReportTransitions(dir, kRuns);
  failures += ReportHidden(dir);
  failures += ReportSoak(dir);
  std::printf("load average after: %s\n", LoadAverage().c_str());
  std::printf("screenshots and the game's output: %s\n", ScreensFolder().c_str());
  std::system(("rm -rf '" + dir + "'").c_str());
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  bench::PrepareHeadless();
  std::vector<std::string> args(argv + 1, argv + argc);
  auto framesFrom = [&](size_t index) {
    if (args.size() > index && std::atoi(args[index].c_str()) > 0) framesPerScene = std::atoi(args[index].c_str());
  };
  if (args.empty() || std::isdigit(static_cast<unsigned char>(args[0][0]))) {
    framesFrom(0);
    return RunAll();
  }
  if (args[0] == "play" && args.size() >= 2) {
    framesFrom(2);
    if (args.size() > 3) onlyScene = args[3];
    return RunPlay(args[1]);
  }
  if (args[0] == "record" && args.size() >= 2) return RunRecord(args[1]);
  if (args[0] == "reference" && args.size() >= 3) {
    framesFrom(3);
    return RunReference(args[1], args[2]);
  }
  if (args[0] == "startup" && args.size() >= 2) return RunStartup(args[1], 5);
  if (args[0] == "pictures" && args.size() >= 2) return RunPictures(args[1], args.size() > 2 && args[2] == "save");
  if (args[0] == "transitions" && args.size() >= 2) return RunTransitions(args[1]);
  if (args[0] == "hidden" && args.size() >= 2) return RunHidden(args[1]);
  if (args[0] == "soak" && args.size() >= 2) {
    if (args.size() > 2 && std::atoi(args[2].c_str()) > 0) soakRounds = std::atoi(args[2].c_str());
    return RunSoak(args[1]);
  }
  std::fprintf(stderr, "usage: kestrin_frames [frames] | play OUT | record DIR | reference DIR OUT | startup OUT | pictures DIR [save]"
                       " | transitions OUT | hidden OUT | soak OUT [rounds]\n");
  return 2;
}
