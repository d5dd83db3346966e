// The training's markers, trigger cells, briefings and camera flights.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "support/round.h"

using namespace boardtest;
using namespace playtest;

namespace {
void plainTrigger(int cell, bool arrow, int link = -1) { Level.triggers[cell] = TriggerRecord{1, arrow, 0, 0, link, 0}; }

const TrainingMarker* markerOn(int cell) {
  for (const TrainingMarker& marker : MarkerList)
    if (marker.cell == cell) return &marker;
  return nullptr;
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
