// The results screens: medals, what the win screen shows and wires, the
// counting scores, and what leaving a result records.

#include "platform/test_hooks.h"
#include "screens/profile_stats.h"
#include "screens/rewards.h"
#include "screens/start_level.h"
#include "support/round.h"

namespace screentest {
namespace {

using Results = ScreensTest;

TEST(Medals, BothLimitsAreExclusive) {
  EXPECT_EQ(medalForScore(-5), MedalBronze);
  EXPECT_EQ(medalForScore(0), MedalBronze);
  EXPECT_EQ(medalForScore(100000), MedalBronze);
  EXPECT_EQ(medalForScore(100001), MedalSilver);
  EXPECT_EQ(medalForScore(1500000), MedalSilver);
  EXPECT_EQ(medalForScore(1500001), MedalGold);
  EXPECT_EQ(medalForScore(INT32_MAX), MedalGold);
  EXPECT_EQ(medalTexture(3), nullptr);
  EXPECT_EQ(medalTexture(-1), nullptr);
}

TEST_F(Results, TheWinScreenShowsTheLevelAndItsMedalAndFreezesTheBoard) {
  Play.levelNumber = 4;
  Play.levelScore = 100001;
  Play.displayedScore = 555;
  showWinScreen();
  EXPECT_EQ(Play.medal, MedalSilver);
  EXPECT_EQ(FindImage("medal").texture, "medal_silver");
  EXPECT_EQ(FindImage("colba").texture, "k_4");
  EXPECT_EQ(Play.displayedScore, 0);
  EXPECT_TRUE(Play.resultsShown && Play.inputBlocked);
  EXPECT_EQ(*FindWidget("next").onAction.target<void (*)()>(), finishLevel);
  EXPECT_EQ(*FindWidget("replay").onAction.target<void (*)()>(), replayLevel);
  EXPECT_TRUE(IsPlaceholder(FindWidget("useEye")));  // the round's display is gone
}

TEST_F(Results, RewardPicturesShowOnlyWhatThisWinGrants) {
  // Every safe cell open, one bomb left unflagged: explorer but no sapper.
  for (HexCell& cell : Level.cells) cell.open = 1;
  Level.cells[10].content = CellBomb;
  Level.cells[10].open = 0;
  Play.levelNumber = 1;
  showWinScreen();
  EXPECT_TRUE(shown(FindImage("reward1")));
  EXPECT_TRUE(shown(FindImage("reward2")));
  for (const char* name : {"reward3", "reward4", "reward5", "reward6"}) EXPECT_TRUE(gone(FindImage(name))) << name;
  EXPECT_EQ(profile().Get("training").AsInt(), 1);
  EXPECT_EQ(profile().Get("explorer1").AsInt(), 1);

  // The rewards show up after the medal, not before.
  ImageWidget& medal = FindImage("medal");
  ImageWidget& training = FindImage("reward1");
  EXPECT_GE(training.timer.start, medal.timer.start + medal.timer.duration);

  showWinScreen();  // the training reward is given once
  EXPECT_TRUE(gone(FindImage("reward1")));
  EXPECT_TRUE(shown(FindImage("reward2")));
}

class ProfileStats : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    ClearWidgets();
    LoadLayout("profiles_manager");
    for (int level = 1; level <= ProfileLevels; ++level) {
      HideAtOnce(FindImage(NumberedName("k_", level)));
      HideAtOnce(FindImage(NumberedName("m_", level)));
    }
    HideAtOnce(FindImage("w1a"));
    HideAtOnce(FindLabel("s_text"));
  }
};

TEST_F(ProfileStats, ThePanelShowsTheTotalAndAMedalForEveryFinishedLevel) {
  ConfigNode& slot = Profiles.ProfileSlots[2];
  slot = FreshProfile();
  slot.Get("opened_maps").SetInt(4);
  slot.Get("score1").SetInt(1000);
  slot.Get("score2").SetInt(234);
  slot.Get("score9").SetInt(5);
  slot.Get("reward1").SetInt(MedalGold);
  slot.Get("reward2").SetInt(MedalSilver);
  slot.Get("reward3").SetInt(7);
  showProfileStats(2);
  EXPECT_TRUE(shown(FindImage("w1a")));
  EXPECT_TRUE(shown(FindLabel("c_text")));
  EXPECT_EQ(FindLabel("s_text").text, "1239");
  for (int level = 1; level <= 3; ++level) {
    EXPECT_TRUE(shown(FindImage(NumberedName("k_", level)))) << level;
    EXPECT_TRUE(shown(FindImage(NumberedName("m_", level)))) << level;
  }
  EXPECT_TRUE(gone(FindImage("k_4")));
  EXPECT_TRUE(gone(FindImage("m_4")));
  EXPECT_EQ(FindImage("m_1").texture, "medal_gold");
  EXPECT_EQ(FindImage("m_2").texture, "medal_silver");
  EXPECT_EQ(FindImage("m_3").texture, "medal_bronze");  // the layout's own picture stays
  EXPECT_TRUE(shown(FindImage("w1b1")));
  EXPECT_EQ(FindImage("w1b1").texture, "medal_gold");

  // The heading shows the best medal earned, not always gold.
  slot.Get("reward1").SetInt(MedalBronze);
  showProfileStats(2);
  EXPECT_EQ(FindImage("w1b1").texture, "medal_silver");
}

TEST_F(ProfileStats, AProfileWithoutAMedalNeverShowsOne) {
  Profiles.ProfileSlots[0] = FreshProfile();
  showProfileStats(0);
  EXPECT_TRUE(gone(FindImage("w1b1")));
  HideProfileSummary(0);
  EXPECT_TRUE(gone(FindImage("w1b1"))) << "nor while the panel fades";
}

}  // namespace
}  // namespace screentest
