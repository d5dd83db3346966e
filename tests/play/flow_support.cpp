#include "flow_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/engine.h"
#include "game/bee.h"
#include "game/board.h"
#include "game/briefing_flights.h"
#include "game/play_state.h"
#include "platform/random.h"
#include "play_harness.h"
#include "screens/play_screen.h"
#include "support/player.h"
#include "support/png.h"
#include "ui/widget_list.h"

namespace play {
namespace {
std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The file's text with the value of every `key value` line whose key is
// listed replaced.
std::string WithValues(const std::string& text, const std::map<std::string, std::string>& values) {
  std::istringstream lines(text);
  std::string line, result;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    const auto found = values.find(key);
    if (found != values.end()) line = "  " + key + " " + found->second;
    result += line + "\n";
  }
  return result;
}

// Well inside the target cell: the next route starts from there. Waiting for
// the bee to settle on the centre would cost many frames.
constexpr float SettledDistance = 0.75f;

// Flights and the bee's tumble are timed by the clock: long frames skip them.
constexpr int WaitingFrameMilliseconds = 400;

void WaitingFrame() {
  const int usual = FrameMilliseconds();
  SetFrameMilliseconds(WaitingFrameMilliseconds);
  Frames(1);
  SetFrameMilliseconds(usual);
}
}  // namespace

std::string ProfileFile(const std::string& name, const std::map<std::string, int>& values) {
  std::map<std::string, std::string> texts{{"name", "^" + name + "_"}, {"empty", "0"}};
  for (char& c : texts["name"])
    if (c == ' ') c = '_';
  for (const auto& [key, value] : values) texts[key] = std::to_string(value);
  return WithValues(FileText(KESTRIN_SOURCE_DIR "/content/data/profile0.s"), texts);
}

std::string SettingsFile(int lastProfile, int width, int height) {
  std::map<std::string, std::string> values{{"lastprofile", std::to_string(lastProfile)}};
  if (width > 0) {
    values["res_width"] = std::to_string(width);
    values["res_height"] = std::to_string(height);
  }
  return WithValues(FileText(KESTRIN_SOURCE_DIR "/content/bin/default.cfg"), values);
}

ConfigNode ReadGameFile(const std::string& path) {
  ConfigNode node;
  EXPECT_TRUE(node.Load(GameFolder() + "/" + path)) << path;
  return node;
}

std::string GameFileText(const std::string& path) { return FileText(GameFolder() + "/" + path); }

bool WaitForMainMenu() {
  return FramesUntil([] { return HasWidget("lbl") && WidgetShown("play"); }, 200);
}

bool PointAtCell(int cell) {
  float x = 0, y = 0;
  const bool shown = player::pointerFor(player::centreOf(cell), &x, &y);
  MoveTo(x, y);
  return shown;
}

void ClickCell(int cell) {
  ASSERT_GE(cell, 0) << "no cell to click";
  EXPECT_TRUE(PointAtCell(cell)) << "cell " << cell << " is off the screen";
  LeftClick();
}

void RightClickCell(int cell) {
  ASSERT_GE(cell, 0) << "no cell to click";
  EXPECT_TRUE(PointAtCell(cell)) << "cell " << cell << " is off the screen";
  RightClick();
}

bool BeeReady() {
  if (player::beeBusy(SettledDistance)) return false;
  return Level.roadLeft < 1 || Level.currentCell == Level.road[1];
}

bool ClickTowards(int target) {
  if (target < 0) return false;
  const int next = player::towards(target);
  EXPECT_GE(next, 0) << "no way towards cell " << target;
  if (next < 0) return false;
  ClickCell(next);
  return true;
}

std::string RoundState() {
  char text[160];
  std::snprintf(text, sizeof text,
                "bee on %d, road %d, lives %d, flowers %d of %d, binoculars %d, hammers %d, modal %d",
                Level.currentCell, Level.roadLeft, Level.lives, Level.flowersTaken, Level.flowerCount, Level.binoculars,
                Level.hammers, Play.modalState);
  return text;
}

bool GoTo(int target, int limit) {
  return PlayUntil([target] { return Level.currentCell == target && BeeReady(); },
                   [target] { return ClickTowards(target); }, limit);
}

void StartLevelSeeded(const std::string& button, uint32_t seed) {
  ASSERT_TRUE(FramesUntil([&] { return WidgetShown(button); }, 100)) << button;
  MoveToWidget(FindWidget(button));
  Frames(1);
  PressLeft();
  OnRenderThread([seed] { crtSrand(seed); });
  ReleaseLeft();
  ASSERT_TRUE(HasWidget("lbckore")) << "no round after " << button;
}

bool PlayUntil(const std::function<bool()>& done, const std::function<bool()>& move, int limit, int readingFrames) {
  for (int frames = 0; frames < limit; ++frames) {
    if (done()) return true;
    if (::testing::Test::HasFatalFailure()) return false;
    if (Play.modalState == ModalOpen && !Play.resultsShown) {
      Frames(readingFrames);
      Widget& close = FindWidget("button1");
      EXPECT_FALSE(IsPlaceholder(close)) << "a briefing without its button";
      if (IsPlaceholder(close)) return false;
      ClickWidget("button1");
      continue;
    }
    if (cameraFlightRunning() || TheBee.state == BeeHit) {
      WaitingFrame();
      continue;
    }
    if (!BeeReady()) {
      Frames(1);
      continue;
    }
    if (!move()) break;
  }
  return done();
}

std::string RecordJournal(const std::string& flow) {
  const std::string journal = ::testing::TempDir() + "kestrin_" + flow + "_" + std::to_string(getpid()) + ".journal";
  std::string error;
  EXPECT_TRUE(RecordJournalTo(journal, &error)) << error;
  KeepLastFrame();
  return journal;
}

void ExpectReplayAlike(const std::string& journal, const JournalOutcome& recorded) {
  std::string error;
  ASSERT_TRUE(PrepareReplay(journal, true, &error)) << error;
  KeepLastFrame();
  std::array<char, 4096> previous{};
  ASSERT_NE(getcwd(previous.data(), previous.size()), nullptr);
  ASSERT_EQ(chdir(GameFolder().c_str()), 0);
  EngineStart();
  EngineShutdown();
  ASSERT_EQ(chdir(previous.data()), 0);
  const JournalOutcome replayed = EndJournalSession();
  EXPECT_EQ(OutcomeLine(replayed), OutcomeLine(recorded));
  EXPECT_EQ(replayed.files, recorded.files);
  EXPECT_GT(replayed.lastFrameWidth, 0);
  ASSERT_EQ(replayed.lastFrame.size(), recorded.lastFrame.size());
  size_t differing = 0;
  for (size_t i = 0; i < recorded.lastFrame.size(); ++i) differing += replayed.lastFrame[i] != recorded.lastFrame[i];
  if (differing > 0) {
    const std::string folder = std::string(KESTRIN_BINARY_DIR) + "/screens/replay_";
    support::WritePng(folder + "recorded.png", recorded.lastFrameWidth, recorded.lastFrameHeight, recorded.lastFrame);
    support::WritePng(folder + "replayed.png", replayed.lastFrameWidth, replayed.lastFrameHeight, replayed.lastFrame);
  }
  EXPECT_EQ(differing, 0u) << "the last frames differ; both are under build/screens";
  std::remove(journal.c_str());
}

}  // namespace play
