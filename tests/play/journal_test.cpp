// Journals from outside the game: a broken one is refused before the game
// starts, and the shipped demo is recorded here (its replay runs in CTest).
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "app/journal_session.h"
#include "flow_support.h"
#include "game/play_state.h"
#include "play_harness.h"
#include "support/player.h"
#include "ui/widget_list.h"

using namespace play;

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
  EXPECT_EQ(said, "kestrin: " + journal + ": journal format 7, this game reads format 1\n");
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
