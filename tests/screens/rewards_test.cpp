// Rewards of a won level, over the board of the global Level.
#include "screens/rewards.h"

#include "game/board.h"
#include "support/interface.h"

namespace {

using uitest::UiTest;

constexpr const char* kResultsLayout =
    "image {\n  name reward1\n  wait 0.5\n  time 0.5\n}\nimage {\n  name reward2\n  wait 0.5\n  time 0.5\n}\n"
    "image {\n  name reward3\n  wait 0.5\n  time 0.5\n}\nimage {\n  name reward4\n  wait 0.5\n  time 0.5\n}\n"
    "image {\n  name reward5\n  wait 0.5\n  time 0.5\n}\nimage {\n  name reward6\n  wait 0.5\n  time 0.5\n}\n";

HexCell Cell(int content, bool open, bool flagged) {
  HexCell cell{};
  cell.content = content;
  cell.open = open;
  cell.flagged = flagged;
  return cell;
}

class RewardsTest : public UiTest {
 public:
  void SetUp() override {
    UiTest::SetUp();
    InstallProfiles();
    Profiles.ProfileSlots[0].Get("empty").SetInt(0);
    Write("data/stat.s", kResultsLayout);
    // A won board: numbers open, the bomb flagged, a hole.
    SetBoard({Cell(0, true, false), Cell(2, true, false), Cell(CellBomb, false, true), Cell(CellHole, false, false)});
  }
  void TearDown() override {
    Level.cells.clear();
    Level.cellCount = 0;
    UiTest::TearDown();
  }

  static void SetBoard(std::vector<HexCell> cells) {
    Level.cellCount = static_cast<int32_t>(cells.size());
    Level.cells = std::move(cells);
  }

  // The results screen of a win of level `level`: which pictures show.
  std::string Win(int level) {
    ClearWidgets();
    LoadLayout("stat");
    Play.levelNumber = level;
    GrantRewards();
    std::string shown;
    for (int n = 1; n <= 6; ++n) {
      const ImageWidget& picture = FindImage("reward" + std::to_string(n));
      if (picture.visible && !picture.fadeOut) shown += std::to_string(n);
    }
    return shown;
  }

  ConfigNode& Profile() { return Profiles.ProfileSlots[0]; }
};

TEST_F(RewardsTest, ExplorerAndSapperFollowTheBoard) {
  SetBoard({Cell(1, true, false), Cell(CellBomb, false, false), Cell(CellBomb, false, true)});
  EXPECT_EQ(Win(3), "2") << "a bomb left unflagged: explorer only";
  EXPECT_EQ(Profile().Get("explorer3").AsInt(), 1);
  EXPECT_EQ(Profile().Get("sapper3").AsInt(), 0);

  SetBoard({Cell(1, false, false), Cell(CellBomb, true, true)});
  EXPECT_EQ(Win(4), "") << "a closed number and a flagged bomb that exploded";

  SetBoard({Cell(6, true, false), Cell(CellBomb, false, true), Cell(9, false, false)});
  EXPECT_EQ(Win(5), "23") << "values outside 0..7 count as neither";

  SetBoard({});
  EXPECT_EQ(Win(6), "23") << "a board without cells meets both";
  EXPECT_TRUE(ExplorerHolds());
  EXPECT_TRUE(SapperHolds());
}

TEST_F(RewardsTest, SeventhExplorerLevelGrantsTheGreatExplorerOnce) {
  SetBoard({Cell(1, true, false), Cell(CellBomb, false, false)});
  for (int level = 2; level <= 6; ++level) Profile().Get("explorer" + std::to_string(level)).SetInt(1);
  Profile().Get("training").SetInt(1);
  EXPECT_EQ(Win(8), "2") << "six so far, counting this one";
  EXPECT_EQ(Win(8), "2") << "level 8 again: still six levels";
  EXPECT_EQ(Win(9), "24") << "the seventh";
  EXPECT_EQ(Profile().Get("superexplorer").AsInt(), 1);
  EXPECT_EQ(Win(7), "2") << "the eighth shows only its own";
}

TEST_F(RewardsTest, ChampionCountsOnlySavedGoldMedals) {
  SetBoard({Cell(1, false, false)});
  Profile().Get("training").SetInt(1);
  for (int level = 1; level <= 6; ++level) Profile().Get("reward" + std::to_string(level)).SetInt(2);
  EXPECT_EQ(Win(7), "3") << "the seventh gold is not recorded yet";
  EXPECT_EQ(Profile().Get("champion").AsInt(), 0);
  Play.levelNumber = 8;  // the player goes on: level 7 is recorded
  Play.medal = 2;
  SaveProgress();
  EXPECT_EQ(Profile().Get("reward7").AsInt(), 2);
  EXPECT_EQ(Win(8), "36") << "the next win after the seventh gold was saved";
  EXPECT_EQ(Win(9), "3");
}

// Two sapper flags spelled as words: as integers their bits are near 2^31
// each, and added up they overflowed.
TEST_F(RewardsTest, FlagsWrittenAsTextCountOnceEach) {
  Write("data/profile0.s", "r sapper6 mpsa sapper4 spsa");
  LoadProfiles();
  Play.levelNumber = 2;
  GrantRewards();
  EXPECT_EQ(Profile().Get("supersapper").AsInt(), 0) << "two flags are not seven";

  std::string seven = "p {";
  for (int level = 1; level <= 7; ++level) seven += " sapper" + std::to_string(level) + " 2147483647";
  Write("data/profile0.s", seven + " supersapper 0 }");
  LoadProfiles();
  GrantRewards();
  EXPECT_EQ(Profile().Get("supersapper").AsInt(), 1) << "seven levels with the flag set";
}

}  // namespace
