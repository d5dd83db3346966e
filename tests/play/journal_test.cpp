// Journals: a session recorded under the harness plays back to the same
// profile files and the same last frame, in this process and in a new one;
// a journal that cannot be played is refused before anything is written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>

#include "app/engine.h"
#include "app/journal_session.h"
#include "flow_support.h"
#include "game/play_state.h"
#include "play_harness.h"
#include "player.h"
#include "ui/widget_list.h"

using namespace play;

namespace {
// The training, its markers followed, to the second island on the map.
void PlayTheTraining() {
  ASSERT_TRUE(WaitForMainMenu());
  SetFrameMilliseconds(48);
  ClickWidget("play");
  ClickWidget("k_1");
  ASSERT_TRUE(FramesUntil([] { return HasWidget("button1"); }, 40));
  ClickWidget("button1");
  bool toolsUsed = false;
  auto move = [&] {
    const player::Move next = player::nextTrainingMove(toolsUsed);
    if (next.kind == player::Move::UseBinoculars) {
      ClickWidget("useEye");
      toolsUsed = true;
      return true;
    }
    if (next.kind == player::Move::None) return false;
    ClickCell(next.cell);
    return true;
  };
  ASSERT_TRUE(PlayUntil([] { return Play.resultsShown != 0; }, move, 6000)) << RoundState();
  ClickWidget("button1");
  ASSERT_TRUE(FramesUntil([] { return HasWidget("map_arrow"); }, 10));
  WaitMilliseconds(1000);
}

JournalOutcome ReplayHere(const std::string& journal) {
  std::string error;
  EXPECT_TRUE(PrepareReplay(journal, true, &error)) << error;
  KeepLastFrame();
  std::array<char, 4096> previous{};
  EXPECT_NE(getcwd(previous.data(), previous.size()), nullptr);
  EXPECT_EQ(chdir(GameFolder().c_str()), 0);
  EngineStart();
  EngineShutdown();
  EXPECT_EQ(chdir(previous.data()), 0);
  return EndJournalSession();
}

// The game program's exit code and the last line it printed.
int RunKestrin(const std::string& arguments, std::string* lastLine) {
  const std::string command = "cd '" KESTRIN_GAME_DIR "' && ./kestrin " + arguments + " 2>&1";
  FILE* output = popen(command.c_str(), "r");
  std::array<char, 4096> line{};
  while (output && std::fgets(line.data(), line.size(), output)) *lastLine = line.data();
  const int status = output ? pclose(output) : -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace

TEST(Journal, TheTrainingRecordedPlaysBackToTheSameFilesAndLastFrame) {
  const std::string journal = ::testing::TempDir() + "kestrin_training_" + std::to_string(getpid()) + ".journal";
  GameSetup setup;
  setup.settings = SettingsFile(0, 640, 480);
  setup.files["data/profile0.s"] = ProfileFile("Trainee");
  std::string error;
  ASSERT_TRUE(RecordJournalTo(journal, &error)) << error;
  KeepLastFrame();
  RunGame("journal", PlayTheTraining, setup);
  const JournalOutcome recorded = EndJournalSession();
  ASSERT_FALSE(::testing::Test::HasFailure());
  ASSERT_EQ(ReadGameFile("data/profile0.s").Get("training").AsInt(), 1);

  const JournalOutcome replayed = ReplayHere(journal);
  EXPECT_TRUE(replayed.complete);
  EXPECT_EQ(replayed.frames, recorded.frames);
  EXPECT_EQ(replayed.files, recorded.files);
  EXPECT_EQ(OutcomeLine(replayed), OutcomeLine(recorded));
  EXPECT_EQ(replayed.lastFrameWidth, 640);
  EXPECT_TRUE(replayed.lastFrame == recorded.lastFrame) << "the last frames differ";

  // A new process: nothing outside the journal decides how it plays.
  std::string summary;
  EXPECT_EQ(RunKestrin("--replay '" + journal + "' --fast", &summary), 0);
  EXPECT_EQ(summary, "replayed " + OutcomeLine(replayed) + "\n");

  std::FILE* cut = std::fopen(journal.c_str(), "r+");
  ASSERT_NE(cut, nullptr);
  std::fputs("kestrin-journal 7\n", cut);
  std::fclose(cut);
  EXPECT_EQ(RunKestrin("--replay '" + journal + "' --fast", &summary), 2);
  EXPECT_NE(summary.find("format 7"), std::string::npos) << summary;
  std::remove(journal.c_str());
}

// Makes the demo journal shipped under content/journals: the second island
// won from the map. Run by hand after a change that alters how the game plays:
// test_play --gtest_filter=Journal.DISABLED_RecordTheDemo --gtest_also_run_disabled_tests
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
