// The training from the world map to its end: the markers lead the bee to
// every briefing, the camera flights freeze the board, and finishing opens
// the second island on the map. Recorded, it plays back to the same end.
#include <gtest/gtest.h>

#include <vector>

#include "core/camera.h"
#include "flow_support.h"
#include "game/board.h"
#include "game/briefing_flights.h"
#include "game/play_state.h"
#include "game/training.h"
#include "play_harness.h"
#include "support/player.h"
#include "profile/profiles.h"
#include "screens/play_screen.h"
#include "ui/screen_wiring.h"
#include "ui/widget_list.h"

using namespace play;

namespace {
int VisibleMarkers() {
  int visible = 0;
  for (const TrainingMarker& marker : Training.MarkerList) visible += marker.visible;
  return visible;
}

// Follows the markers; the binoculars are used through their button when the
// lesson asks for them.
bool TrainingMove(bool* toolsUsed) {
  const player::Move next = player::nextTrainingMove(*toolsUsed);
  if (next.kind == player::Move::UseBinoculars) {
    const int before = Level.binoculars;
    ClickWidget("useEye");
    *toolsUsed = Level.binoculars < before;
    return *toolsUsed;
  }
  if (next.kind == player::Move::None) return false;
  ClickCell(next.cell);
  return true;
}

std::vector<int> ShownDots() {
  std::vector<int> dots;
  for (int dot = 1; dot <= 60; ++dot)
    if (WidgetShown(NumberedName("point", dot))) dots.push_back(dot);
  return dots;
}
}  // namespace

TEST(Training, TheMarkersLeadThroughEveryBriefingAndTheEndOpensTheSecondIsland) {
  GameSetup setup;
  // The lesson's long flights cost many frames: a smaller window draws them
  // faster, and the pointer is checked at another resolution.
  setup.settings = SettingsFile(0, 320, 240);
  setup.files["data/profile0.s"] = ProfileFile("Trainee");
  bool toolsUsed = false;
  int32_t score = -1;
  const std::string journal = RecordJournal("training");
  RunGame(
      "training",
      [&] {
        ASSERT_TRUE(WaitForMainMenu());
        SetFrameMilliseconds(48);
        ClickWidget("play");
        WaitMilliseconds(800);
        EXPECT_TRUE(WidgetShown("k_1"));
        EXPECT_FALSE(WidgetShown("k_2"));
        EXPECT_TRUE(ShownDots().empty());
        Screenshot("01_world_map");

        ClickWidget("k_1");
        ASSERT_TRUE(FramesUntil([] { return HasWidget("skip"); }, 20));
        WaitMilliseconds(800);
        EXPECT_EQ(Training.MarkerList.size(), 28u);
        EXPECT_EQ(VisibleMarkers(), 1);
        Screenshot("02_start_briefing");
        ClickWidget("button1");
        EXPECT_EQ(Play.modalState, ModalPlay);

        // To the first numbered briefing, whose flight shows the island.
        auto move = [&] { return TrainingMove(&toolsUsed); };
        ASSERT_TRUE(PlayUntil([] { return Training.briefingCount == 1; }, move)) << RoundState();
        EXPECT_TRUE(HasWidget("button1"));
        EXPECT_EQ(Play.modalState, ModalOpen);
        WaitMilliseconds(800);
        EXPECT_TRUE(cameraFlightRunning());
        Screenshot("03_first_briefing");
        ClickWidget("button1");
        EXPECT_EQ(Play.modalState, ModalPlay);

        // A click while the camera flies sends the bee nowhere.
        ASSERT_TRUE(cameraFlightRunning());
        const int beeCell = Level.currentCell, roadLeft = Level.roadLeft, target = Level.road[1];
        const player::Move next = player::nextTrainingMove(toolsUsed);
        ASSERT_EQ(next.kind, player::Move::Click);
        PointAtCell(next.cell);
        Frames(1);
        LeftClick();
        Screenshot("04_camera_flight");
        EXPECT_TRUE(cameraFlightRunning());
        EXPECT_EQ(Level.roadLeft, roadLeft);
        EXPECT_EQ(Level.road[1], target);
        EXPECT_EQ(Level.currentCell, beeCell);
        EXPECT_FALSE(Level.cells[next.cell].open);
        EXPECT_GE(VisibleMarkers(), 4);

        // The tools' lesson, then on to the last flower.
        ASSERT_TRUE(PlayUntil([] { return HasWidget("button1") && Level.currentCell == UseToolsBriefingCell; }, move))
            << RoundState();
        WaitMilliseconds(700);
        Screenshot("05_tools_briefing");
        ASSERT_TRUE(PlayUntil([] { return Play.resultsShown != 0; }, move, 4000)) << RoundState();
        EXPECT_TRUE(Level.won);
        EXPECT_EQ(Level.lives, 4);
        EXPECT_EQ(Training.briefingCount, 4);
        EXPECT_EQ(CurrentProfileNode().Get("training").AsInt(), 1);
        score = Play.levelScore;
        WaitMilliseconds(800);
        Screenshot("06_final_briefing");

        ClickWidget("button1");
        ASSERT_TRUE(FramesUntil([] { return HasWidget("map_arrow"); }, 10));
        SetFrameMilliseconds(100);
        WaitMilliseconds(2500);
        EXPECT_EQ(ShownDots(), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
        EXPECT_TRUE(WidgetShown("k_2"));
        EXPECT_TRUE(WidgetShown("map_arrow"));
        EXPECT_FALSE(WidgetShown("k_3"));
        EXPECT_EQ(FindButton("k_2").texture1, "k_10");
        Screenshot("07_second_island");
      },
      setup);
  const JournalOutcome recorded = EndJournalSession();
  EXPECT_TRUE(toolsUsed);
  const ConfigNode profile = ReadGameFile("data/profile0.s");
  EXPECT_EQ(profile.Get("opened_maps").AsInt(), 2);
  EXPECT_EQ(profile.Get("score1").AsInt(), score);
  EXPECT_EQ(profile.Get("training").AsInt(), 1);
  EXPECT_GT(score, 0);
  // Played again from its journal, the session ends alike: a replay is the game.
  ExpectReplayAlike(journal, recorded);
}
