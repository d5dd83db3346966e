// The training's markers, trigger cells, briefings and camera flights.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "support/round.h"

using namespace boardtest;
using namespace playtest;

namespace {
void plainTrigger(int cell, bool arrow, int link = -1) { Level.triggers[cell] = TriggerRecord{1, arrow, 0, 0, link, 0}; }
void briefingTrigger(int cell) { Level.triggers[cell] = TriggerRecord{1, 0, 1, 0, 5, 0}; }

const TrainingMarker* markerOn(int cell) {
  for (const TrainingMarker& marker : MarkerList)
    if (marker.cell == cell) return &marker;
  return nullptr;
}

std::vector<int> visibleMarkers() {
  std::vector<int> cells;
  for (const TrainingMarker& marker : MarkerList)
    if (marker.visible) cells.push_back(marker.cell);
  return cells;
}
}  // namespace

class Training : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    Play.trainingLevel = 1;
    for (const char* name : {"brief0", "brief1", "brief2", "brief3", "brief4", "brief_molot", "brief_binocl",
                             "brief_use"})
      writeLayout(name, {"button1"});
  }
};

TEST_F(Training, FlyingOverAPlainTriggerFiresItAndRaisesItsLinkedCell) {
  const int start = cellIndex(6, 4), onTheWay = cellIndex(6, 5), target = cellIndex(6, 7);
  const int hole = cellIndex(9, 9);
  makeHoles({hole});
  cell(onTheWay).open = cell(cellIndex(6, 6)).open = 1;
  plainTrigger(onTheWay, true, hole);
  createMarkers();
  ASSERT_EQ(MarkerList.size(), 1u);
  MarkerList[0].visible = 1;
  beeOn(start);
  flyTo(target);
  EXPECT_EQ(Level.currentCell, target);
  EXPECT_FALSE(Level.triggers[onTheWay].active);
  EXPECT_FALSE(markerOn(onTheWay)->visible);
  EXPECT_EQ(cell(hole).content, 0);  // a new cell rose from the sea
  EXPECT_TRUE(cellExists(hole));
  EXPECT_EQ(Play.modalState, ModalPlay);  // no briefing for this one

  flyTo(start);  // fired once only
  EXPECT_EQ(cell(hole).content, 0);
}

TEST_F(Training, ALinkOutsideTheBoardIsIgnored) {
  plainTrigger(120, true, 5000);
  handleTrigger(120);
  EXPECT_FALSE(Level.triggers[120].active);
  plainTrigger(121, true, -7);
  handleTrigger(121);
  EXPECT_FALSE(Level.triggers[121].active);
}

TEST_F(Training, NumberedBriefingsFlyTheCameraAndRevealTheNextMarkers) {
  plainTrigger(FirstMarkerCell, true);
  for (int k = 0; k < 4; ++k)
    for (int revealed : markerReveal(k)) plainTrigger(revealed, true);
  const int briefingCells[] = {10, 11, 12, 13, 14};
  for (int c : briefingCells) briefingTrigger(c);
  createMarkers();
  beeOn(cellIndex(10, 10));
  const D3DXVECTOR3 home = CurrentCamera->position;

  const int durations[] = {3500, 3500, 4000, 5000};
  std::vector<int> expectedVisible = {68};
  for (int k = 0; k < 4; ++k) {
    CurrentCamera->animation = CameraFrozen;
    showPlayScreen();
    handleTrigger(briefingCells[k]);
    EXPECT_EQ(briefingCount, k + 1);
    EXPECT_EQ(Play.modalState, ModalOpen);
    EXPECT_FALSE(IsPlaceholder(FindWidget("button1")));
    EXPECT_EQ(Level.triggers[briefingCells[k]].link, 0);
    EXPECT_FALSE(Level.triggers[briefingCells[k]].active);
    EXPECT_EQ(CurrentCamera->animation, CameraOnCurve);
    EXPECT_EQ(CurrentCamera->timer.duration, durations[k]);
    EXPECT_EQ(CurrentCamera->timer.start, static_cast<int32_t>(TestClockNow));
    EXPECT_EQ(CurrentCamera->pathPoints[0], home);
    EXPECT_EQ(CurrentCamera->pathPoints[3], home);
    for (int revealed : markerReveal(k)) expectedVisible.push_back(revealed);
    std::vector<int> visible = visibleMarkers();
    std::sort(visible.begin(), visible.end());
    std::vector<int> expected = expectedVisible;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(visible, expected) << "after briefing " << k;
  }
  EXPECT_EQ(CurrentCamera->pathPoints[1], home + D3DXVECTOR3(-15, 3, -2.5f));
  EXPECT_EQ(CurrentCamera->pathPoints[2], home + D3DXVECTOR3(-15, 5, 12.5f));

  // A fifth numbered briefing shows its layout but reveals and flies nothing.
  CurrentCamera->animation = CameraFrozen;
  const std::vector<int> before = visibleMarkers();
  handleTrigger(briefingCells[4]);
  EXPECT_EQ(briefingCount, 5);
  EXPECT_EQ(visibleMarkers(), before);
  EXPECT_EQ(CurrentCamera->animation, CameraFrozen);
}
