// A session of play, then the program started again on the same folder: the
// players, their opened levels, medals and rewards are all still there.
#include <gtest/gtest.h>

#include <string>

#include "flow_support.h"
#include "game/board.h"
#include "game/play_state.h"
#include "platform/window.h"
#include "play_harness.h"
#include "support/player.h"
#include "profile/profiles.h"
#include "screens/results_screen.h"
#include "ui/widget_list.h"

using namespace play;

namespace {
constexpr uint32_t RestartBoardSeed = 9;
// What the debug key Enter adds before it shows the win screen.
constexpr int32_t DebugKeyPoints = 40000;
constexpr int32_t SilverAbove = 100000;

void NameProfileWithEnter(const std::string& name) {
  ASSERT_TRUE(FramesUntil([] { return HasWidget("name"); }, 60));
  Type(name);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitForMainMenu());
}

void Hover(const std::string& name) {
  MoveToWidget(FindWidget(name));
  Frames(1);
}
}  // namespace

TEST(Restart, PlayersLevelsMedalsAndRewardsSurviveARestart) {
  int32_t firstScore = -1, secondScore = -1, secondMedal = -1;
  GameSetup first;
  first.debugKeys = true;
  RunGame("restart", [&] {
    NameProfileWithEnter("First");
    ClickWidget("profiles");
    ClickWidget("profile1");
    NameProfileWithEnter("Second");
    SetFrameMilliseconds(48);

    // The training, won at once with the debug key: its reward on the win screen.
    ClickWidget("play");
    ClickWidget("k_1");
    ASSERT_TRUE(FramesUntil([] { return HasWidget("skip"); }, 20));
    ClickWidget("button1");
    PressKey(VK_RETURN);
    ASSERT_TRUE(Play.resultsShown);
    EXPECT_TRUE(FindWidget("reward1").visible);
    EXPECT_EQ(CurrentProfileNode().Get("training").AsInt(), 1);
    firstScore = Play.levelScore;
    ClickWidget("next");

    // The second level: flowers until the debug key's points make it silver.
    StartLevelSeeded("k_2", RestartBoardSeed);
    ASSERT_TRUE(PlayUntil([] { return Play.resultsShown || Play.levelScore + DebugKeyPoints > SilverAbove; },
                          [] { return ClickTowards(player::nextTowardsFlowers()); }, 2000))
        << RoundState();
    if (!Play.resultsShown) PressKey(VK_RETURN);
    ASSERT_TRUE(Play.resultsShown);
    secondScore = Play.levelScore;
    secondMedal = Play.medal;
    EXPECT_GE(secondMedal, MedalSilver);
    EXPECT_TRUE(FramesUntil([] { return WidgetShown("medal"); }, 60));
    Screenshot("01_second_level_won");
    ClickWidget("next");
    ASSERT_TRUE(FramesUntil([] { return HasWidget("map_arrow"); }, 10));
    Frames(2);
  }, first);
  ASSERT_FALSE(::testing::Test::HasFailure());

  GameSetup again;
  again.sameFolder = true;
  RunGame(
      "restart",
      [&] {
        ASSERT_TRUE(WaitForMainMenu());
        EXPECT_EQ(FindLabel("lbl").text, "Hello, ^Second !");
        EXPECT_TRUE(WidgetShown("rewards"));
        SetFrameMilliseconds(48);

        ClickWidget("rewards");
        EXPECT_TRUE(FramesUntil([] { return WidgetShown("beginner"); }, 100));
        Screenshot("02_rewards");
        ClickWidget("back");
        ASSERT_TRUE(WaitForMainMenu());

        ClickWidget("profiles");
        ASSERT_TRUE(FramesUntil([] { return WidgetShown("profile1"); }, 100));
        EXPECT_EQ(FindButton("profile0").text, "^First ");
        Hover("profile1");
        EXPECT_TRUE(FramesUntil([] { return WidgetShown("m_2"); }, 100));
        EXPECT_EQ(FindLabel("s_text").text, std::to_string(firstScore + secondScore));
        Screenshot("03_statistics");

        ClickWidget("profile1");
        ASSERT_TRUE(WaitForMainMenu());
        ClickWidget("play");
        SetFrameMilliseconds(100);
        WaitMilliseconds(2000);
        EXPECT_TRUE(WidgetShown("isle3"));
        EXPECT_FALSE(WidgetShown("isle4"));
        EXPECT_EQ(FindImage("medal2").texture, medalTexture(secondMedal));
        Screenshot("04_world_map");
      },
      again);
  const ConfigNode profile = ReadGameFile("data/profile1.s");
  EXPECT_EQ(profile.Get("opened_maps").AsInt(), 3);
  EXPECT_EQ(profile.Get("score2").AsInt(), secondScore);
  EXPECT_EQ(profile.Get("reward2").AsInt(), secondMedal);
  EXPECT_EQ(profile.Get("training").AsInt(), 1);
}
