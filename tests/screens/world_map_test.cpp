// The world map: what a profile's progress shows, the dots of the newest
// stretch of path, the arrow, and where the map's buttons lead.

#include "platform/test_hooks.h"
#include "screens/start_level.h"
#include "support/round.h"

namespace screentest {
namespace {

using WorldMapScreen = ScreensTest;

ImageWidget& dot(int j) { return FindImage(NumberedName("point", j)); }

bool Overlapping(const Widget& a, const Widget& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(MapPath, TheNewestStretchFollowsTheDotsAlreadyShown) {
  EXPECT_TRUE(dotsAtOnce(1).empty());
  EXPECT_TRUE(newestStretch(1).empty());
  EXPECT_TRUE(dotsAtOnce(2).empty());
  EXPECT_EQ(newestStretch(2).first, 2);  // dot 1 waits for the third island
  EXPECT_EQ(newestStretch(2).last, 11);
  EXPECT_EQ(dotsAtOnce(3).first, 1);
  EXPECT_EQ(dotsAtOnce(3).last, 11);
  EXPECT_EQ(newestStretch(3).first, 12);
  EXPECT_EQ(newestStretch(3).last, 19);
  EXPECT_EQ(dotsAtOnce(10).last, MapDots);
  EXPECT_TRUE(newestStretch(10).empty());
  for (int n = 3; n <= MapLevels; ++n) EXPECT_EQ(dotsAtOnce(n).last + 1, newestStretch(n).first) << n;
  for (int n : {-1, 0, 11, 1000}) {
    EXPECT_TRUE(dotsAtOnce(n).empty()) << n;
    EXPECT_TRUE(newestStretch(n).empty()) << n;
  }
}

TEST_F(WorldMapScreen, AFreshProfileSeesOnlyTheFirstIslandWithTheArrowOverIt) {
  setOpened(1);
  showWorldMap(0);
  EXPECT_EQ(WorldMap.mapShown, 1);
  EXPECT_EQ(FindMode("menu")->active, 1);
  EXPECT_EQ(FindMode("game")->active, 1);  // the round's scene stays until the map has faded in
  EXPECT_TRUE(shown(FindImage("isle1")));
  EXPECT_TRUE(shown(FindButton("k_1")));
  EXPECT_EQ(FindButton("k_1").texture1, "k_10");
  for (int level = 2; level <= MapLevels; ++level) {
    EXPECT_TRUE(gone(FindImage(NumberedName("isle", level)))) << level;
    EXPECT_TRUE(gone(FindButton(NumberedName("k_", level)))) << level;
  }
  for (int level = 1; level <= MapLevels; ++level) EXPECT_TRUE(gone(FindImage(NumberedName("medal", level))));
  for (int j = 1; j <= MapDots; ++j) EXPECT_TRUE(gone(dot(j))) << j;

  const ButtonWidget& first = FindButton("k_1");
  ImageWidget& arrow = FindImage("map_arrow");
  EXPECT_TRUE(arrow.x >= first.x && arrow.x + arrow.width <= first.x + first.width && arrow.y < first.y);
  EXPECT_TRUE(shown(arrow));
  EXPECT_EQ(arrow.timer.start, static_cast<int32_t>(TestClock()) + arrow.timer.wait);  // the layout's timing

  // From the main menu the map comes out from under its cover.
  Widget& cover = FindImage("m2");
  EXPECT_TRUE(cover.fadeOut && !cover.visible);
  EXPECT_EQ(cover.timer.start, static_cast<int32_t>(TestClock()));
}

TEST_F(WorldMapScreen, NoMedalCoversThePath) {
  setOpened(AllLevelsWon);
  for (int level = 1; level <= MapLevels; ++level) profile().Get(NumberedKey("reward", level)).SetInt(MedalGold);
  showWorldMap(1);
  for (int level = 1; level <= MapLevels; ++level)
    for (int j = 1; j <= MapDots; ++j)
      EXPECT_FALSE(Overlapping(FindImage(NumberedName("medal", level)), dot(j)))
          << "medal " << level << " on dot " << j;
}

TEST_F(WorldMapScreen, ACorruptProgressValueStillShowsAPlayableMap) {
  for (int opened : {0, -7, 11, 1 << 30}) {
    setOpened(opened);
    showWorldMap(1);
    const int n = opened < 1 ? 1 : AllLevelsWon;
    EXPECT_EQ(openedMaps(), n) << opened;
    EXPECT_TRUE(shown(FindButton("k_1"))) << opened;
    EXPECT_EQ(shown(FindButton("k_9")), n == AllLevelsWon) << opened;
  }
}

}  // namespace
}  // namespace screentest
