#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/round.h"
#include "game/board.h"
#include "game/level_files.h"

using namespace boardtest;
using playtest::sceneBytes;
using playtest::sceneObject;

namespace {
template <class T>
void append(std::string& bytes, const T* records, size_t count) {
  bytes.append(reinterpret_cast<const char*>(records), sizeof(T) * count);
}

std::string triggerBytes(const std::vector<TriggerRecord>& triggers) {
  std::string bytes;
  append(bytes, triggers.data(), triggers.size());
  return bytes;
}

void setInt(std::string& bytes, size_t offset, int32_t value) { std::memcpy(&bytes[offset], &value, 4); }

// A small designed board saved to a file: three flowers, a mark, two items.
std::string designedMap() {
  emptyBoard();
  startOn(cellIndex(3, 3));
  putBombs({cellIndex(5, 5)});
  for (int i : {20, 21, 22}) cell(i).flower = 1;
  makeHoles({400, 401});
  Level.cellMarks[7] = 2;
  Level.cellItems[8] = ItemHammer;
  Level.cellItems[9] = ItemBinoculars;
  Level.beeHeading = 1.5f;
  Level.lives = 9;
  Level.flowerCount = 99;  // the loader counts for itself
  Level.flowersTaken = 4;
  Level.roadLeft = 6;
  return playtest::mapBytes();
}

class LevelFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    createLevel();
    Levels.LevelList.clear();
    Levels.SceneObjectList.clear();
  }
  void TearDown() override { Levels.LevelList.clear(); }
  // Loads a different board first, so that what stays can be told apart.
  void loadStartBoard() {
    createLevel();
    startBoard = Level.cells;
  }
  void expectStartBoardKept() {
    EXPECT_EQ(Level.cellCount, 410);
    ASSERT_EQ(Level.cells.size(), startBoard.size());
    EXPECT_EQ(std::memcmp(Level.cells.data(), startBoard.data(), sizeof(HexCell) * startBoard.size()), 0);
  }
  std::vector<HexCell> startBoard;
  testfiles::WorkingFolder dir;
};
}  // namespace

TEST_F(LevelFiles, MapLoadsBoardMarksAndItems) {
  const std::string path = dir.Write("level.map", designedMap());
  const int start = Level.currentCell;
  const std::vector<HexCell> saved = Level.cells;
  loadStartBoard();
  Level.bombCount = 17;
  Level.markedBombs = 3;
  Level.colourTable[2] = 0x12345678;
  ASSERT_TRUE(loadMap(path));
  EXPECT_EQ(Level.currentCell, start);
  EXPECT_FLOAT_EQ(Level.beeHeading, 1.5f);
  EXPECT_EQ(Level.lives, 9);
  EXPECT_EQ(std::memcmp(Level.cells.data(), saved.data(), sizeof(HexCell) * saved.size()), 0);
  EXPECT_EQ(Level.cellMarks[7], 2);
  EXPECT_EQ(Level.cellMarks[6], NoMark);
  EXPECT_EQ(Level.cellItems[8], ItemHammer);
  EXPECT_EQ(Level.cellItems[9], ItemBinoculars);
  EXPECT_EQ(Level.flowerCount, 3);
  EXPECT_EQ(Level.flowersTaken, 0);
  EXPECT_EQ(Level.roadLeft, 0);
  // What the loader keeps of its own.
  EXPECT_EQ(Level.bombCount, 17);
  EXPECT_EQ(Level.markedBombs, 3);
  EXPECT_EQ(Level.colourTable[2], 0x12345678u);
  // No trigger file: every record zero.
  for (const TriggerRecord& t : Level.triggers) ASSERT_EQ(t.active + t.link + t.value, 0);
}

TEST_F(LevelFiles, BriefingTriggersSetTheirCellsContent) {
  const std::string path = dir.Write("level.map", designedMap());
  std::vector<TriggerRecord> triggers(Level.cellCount, TriggerRecord{});
  triggers[30] = {1, 0, 1, 0, -1, 7};
  triggers[31] = {0, 0, 1, 0, -1, 7};
  triggers[32] = {1, 1, 0, 0, 33, 7};
  dir.Write("level.map.trg", triggerBytes(triggers));
  ASSERT_TRUE(loadMap(path));
  EXPECT_EQ(Level.cells[30].content, CellBomb);
  EXPECT_EQ(Level.cells[31].content, 0);
  EXPECT_EQ(Level.cells[32].content, 0);
  EXPECT_EQ(Level.triggers[32].link, 33);
  EXPECT_EQ(Level.triggers[31].value, 7);
}

TEST_F(LevelFiles, MissingMapsAndMapsWithWrongCellCountsAreRefused) {
  const std::string good = designedMap();
  loadStartBoard();
  EXPECT_FALSE(loadMap(dir.File("missing.map")));
  expectStartBoardKept();
  const int countOffset = 44;
  for (int32_t count : {411, 100000, -1, -410, 0, 409}) {
    std::string bytes = good;
    setInt(bytes, countOffset, count);
    EXPECT_FALSE(loadMap(dir.Write("bad.map", bytes))) << count;
    expectStartBoardKept();
  }
  // A map of more cells than the board holds, complete with all its records.
  std::string big = good;
  setInt(big, countOffset, 411);
  big.insert(MapHeaderSize + 32 * 410, std::string(32, '\0'));
  big.append(8, '\0');
  EXPECT_FALSE(loadMap(dir.Write("big.map", big)));
  expectStartBoardKept();
  for (size_t length : {good.size() - 1, good.size() + 1, MapHeaderSize, size_t{40}, size_t{0}}) {
    std::string bytes = good;
    bytes.resize(length);
    EXPECT_FALSE(loadMap(dir.Write("cut.map", bytes))) << length;
    expectStartBoardKept();
  }
}

TEST_F(LevelFiles, ShortTriggerFileIsRefused) {
  const std::string path = dir.Write("level.map", designedMap());
  std::vector<TriggerRecord> triggers(Level.cellCount - 1, TriggerRecord{1, 0, 1, 0, 0, 7});
  dir.Write("level.map.trg", triggerBytes(triggers));
  loadStartBoard();
  EXPECT_FALSE(loadMap(path));
  expectStartBoardKept();
}

TEST_F(LevelFiles, SceneObjectCountBeyondItsDataIsRefused) {
  std::vector<SceneObject> objects = {sceneObject("l_island", "ostrov", 1)};
  ASSERT_TRUE(loadSceneObjects(dir.Write("ok.bin", sceneBytes(objects, 1))));
  EXPECT_FALSE(loadSceneObjects(dir.Write("bad.bin", sceneBytes(objects, 2))));
  EXPECT_TRUE(Levels.SceneObjectList.empty());
  EXPECT_FALSE(loadSceneObjects(dir.Write("huge.bin", sceneBytes(objects, 0xFFFFFFFFu))));
  EXPECT_FALSE(loadSceneObjects(dir.Write("short.bin", "ab")));
  EXPECT_FALSE(loadSceneObjects(dir.File("missing.bin")));
  EXPECT_TRUE(Levels.SceneObjectList.empty());
  EXPECT_TRUE(loadSceneObjects(dir.Write("none.bin", sceneBytes({}, 0))));
}

TEST_F(LevelFiles, LevelLoadsByIndexAndRefusesOthers) {
  dir.Write("maps/1_a.map", designedMap());
  const int start = Level.currentCell;
  dir.Write("maps/bin/1_a.map.bin", sceneBytes({sceneObject("l_island", "ostrov", 1)}, 1));
  scanLevels();
  ASSERT_EQ(Levels.LevelList.size(), 1u);

  loadStartBoard();
  Level.hammers = Level.binoculars = 2;
  ASSERT_TRUE(loadLevel(0));
  EXPECT_EQ(Level.currentCell, start);
  EXPECT_EQ(Levels.SceneObjectList.size(), 1u);
  EXPECT_EQ(Level.lives, 4);
  EXPECT_EQ(Level.hammers, 0);
  EXPECT_EQ(Level.binoculars, 0);

  loadStartBoard();
  for (int index : {1, 8, -1}) {
    Level.lives = 1;
    EXPECT_FALSE(loadLevel(index));
    expectStartBoardKept();
    EXPECT_TRUE(Levels.SceneObjectList.empty());
    EXPECT_EQ(Level.lives, 4);
  }
}
