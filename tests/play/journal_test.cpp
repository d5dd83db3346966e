// Journals from outside the game: one recorded through the real window, a
// broken one refused before the game starts, and the shipped demo recorded
// here (its replay runs in CTest).
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/journal_session.h"
#include "core/options.h"
#include "flow_support.h"
#include "game/play_state.h"
#include "platform/time.h"
#include "platform/window.h"
#include "play_harness.h"
#include "support/player.h"
#include "ui/widget_list.h"

using namespace play;

namespace {
// Input as SDL delivers it to the window, not as the harness injects it.
void Push(SDL_EventType type, SDL_Event event = {}) {
  event.type = type;
  SDL_PushEvent(&event);
}

void PushLetter(char letter) {
  SDL_Event event{};
  event.text.text[0] = letter;
  Push(SDL_TEXTINPUT, event);
}

void PushEnter() {
  SDL_Event event{};
  event.key.keysym.sym = SDLK_RETURN;
  Push(SDL_KEYDOWN, event);
  Push(SDL_KEYUP, event);
}

void PushClickOn(const Widget& widget) {
  SDL_WarpMouseInWindow(SDL_GL_GetCurrentWindow(), static_cast<int>((widget.x + widget.width / 2) * Options.width / 2),
                        static_cast<int>((widget.y + widget.height / 2) * Options.height / 1.5f));
  SDL_Event event{};
  event.button.button = SDL_BUTTON_LEFT;
  event.button.windowID = SDL_GetWindowID(SDL_GL_GetCurrentWindow());
  Push(SDL_MOUSEBUTTONDOWN, event);
  Push(SDL_MOUSEBUTTONUP, event);
}

struct LiveStep {
  uint32_t waitMs;
  const char* shown;  // the widget that must have faded in first, or ""
  std::function<void()> act;
};

// A player at the live clock: one step at a time, each once its widget shows
// and its wait has passed; the window closes after the last.
std::function<void()> LivePlayer(std::vector<LiveStep> steps) {
  return [steps, next = size_t{0}, since = uint32_t{0}, frames = 0]() mutable {
    const uint32_t now = timeGetTime();
    if (since == 0) since = now;
    if (++frames > 3000 || next == steps.size()) return Push(SDL_QUIT);
    const LiveStep& step = steps[next];
    if (now - since < step.waitMs || (*step.shown && !WidgetShown(step.shown))) return;
    step.act();
    ++next;
    since = now;
  };
}
}  // namespace

// The same first run recorded through the window's events at the live clock
// and through the harness's injected input: each replays to where it ended,
// and both end alike.
TEST(Journal, RecordingsThroughTheRealWindowAndTheHarnessReplayAlike) {
  const std::string liveJournal = RecordJournal("live");
  // A name typed at a typist's pace, then the world map.
  RunGameLive("journal_live", LivePlayer({{1200, "name", [] { PushLetter('M'); }},
                                          {150, "", [] { PushLetter('i'); }},
                                          {150, "", [] { PushLetter('l'); }},
                                          {150, "", [] { PushLetter('a'); }},
                                          {150, "", PushEnter},
                                          {1200, "play", [] { PushClickOn(FindWidget("play")); }},
                                          {1200, "map_arrow", [] {}}}));
  const JournalOutcome live = EndJournalSession();
  EXPECT_EQ(live.screen, "game_map");
  EXPECT_NE(live.files.at("data/profile0.s").find("^Mila_"), std::string::npos);
  ExpectReplayAlike(liveJournal, live);

  const std::string harnessJournal = RecordJournal("harness");
  RunGame("journal_harness", [] {
    SetFrameMilliseconds(50);
    ASSERT_TRUE(FramesUntil([] { return WidgetShown("name"); }));
    Type("Mila");
    PressKey(VK_RETURN);
    ASSERT_TRUE(FramesUntil([] { return HasWidget("play"); }));
    ClickWidget("play");
    ASSERT_TRUE(FramesUntil([] { return WidgetShown("map_arrow"); }));
  });
  const JournalOutcome harness = EndJournalSession();
  EXPECT_EQ(harness.screen, live.screen);
  EXPECT_EQ(harness.score, live.score);
  EXPECT_EQ(harness.files, live.files);
  ExpectReplayAlike(harnessJournal, harness);
}

TEST(Journal, ABrokenJournalIsRefusedInOneLineWithExitCode2) {
  const std::string journal = ::testing::TempDir() + "kestrin_broken.journal";
  std::FILE* file = std::fopen(journal.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("kestrin-journal 7\ngame 1\n", file);
  std::fclose(file);
  const std::string command = "cd '" KESTRIN_GAME_DIR "' && ./kestrin --replay '" + journal + "' --fast 2>&1";
  FILE* output = popen(command.c_str(), "r");
  ASSERT_NE(output, nullptr);
  std::string said;
  std::array<char, 512> line{};
  while (std::fgets(line.data(), line.size(), output)) said += line.data();
  const int status = pclose(output);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
  EXPECT_EQ(said, "kestrin: " + journal + ": journal format 7, this game reads formats 1 to 2\n");
  std::remove(journal.c_str());
}

// Makes the demo journal shipped under content/journals: the second island
// won from the map. Run by hand after a change that alters how the game plays
// (test_play --gtest_filter=Journal.DISABLED_RecordTheDemo
// --gtest_also_run_disabled_tests), then put the line it prints into the
// demo_journal test of tests/CMakeLists.txt.
TEST(Journal, DISABLED_RecordTheDemo) {
  GameSetup setup;
  setup.settings = SettingsFile(0);
  setup.files["data/profile0.s"] = ProfileFile("Demo", {{"opened_maps", 2}, {"score1", 5000}, {"training", 1}});
  std::string error;
  ASSERT_TRUE(RecordJournalTo(KESTRIN_SOURCE_DIR "/content/journals/second_island_won.journal", &error)) << error;
  RunGame(
      "journal_demo",
      [] {
        ASSERT_TRUE(WaitForMainMenu());
        SetFrameMilliseconds(32);
        ClickWidget("play");
        ClickWidget("k_2");
        ASSERT_TRUE(FramesUntil([] { return HasWidget("lbckore"); }, 40));
        ASSERT_TRUE(PlayUntil([] { return Play.resultsShown != 0; },
                              [] { return ClickTowards(player::nextTowardsFlowers()); }, 4000))
            << RoundState();
        ClickWidget("next");
        ASSERT_TRUE(FramesUntil([] { return HasWidget("map_arrow"); }, 10));
        WaitMilliseconds(1500);
      },
      setup);
  std::printf("%s\n", OutcomeLine(EndJournalSession()).c_str());
}
