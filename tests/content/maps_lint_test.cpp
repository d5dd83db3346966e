#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "game/board.h"
#include "map_files.h"

using namespace mapfiles;

namespace {
// The meshes the game loads, and the textures it registers for scenery.
const std::set<std::string> Models = {
    "hexagon", "l_brevno", "l_binokl", "skybox", "l_grass1", "l_grass2", "l_grib", "l_island",
    "l_island2", "l_island3", "l_island4", "l_molot", "l_most", "l_stone1", "l_stone2", "l_vopros",
    "l_voskl", "bee", "flower", "flag", "body", "head", "wing1", "wing2"};
const std::set<std::string> SceneryTextures = {"trava", "brevno11", "doska",    "grib",    "kamen",
                                               "ostrov1", "ostrov12", "ostrov", "mushroom"};

const std::set<int> MarkerCells = {68,  52,  55,  112, 117, 221, 222, 223, 264, 283, 285, 302, 305, 344,
                                   347, 364, 366, 367, 386, 195, 298, 236, 169, 249, 251, 293, 311, 269};

// Neighbours among the map's own cells, by the board's rules.
int neighbourIn(const MapFile& map, int index, int direction) {
  Level.cells = map.cells;
  return neighbour(index, direction);
}

void useGeometryOf(const MapFile& map) {
  layoutBoard(0, 0, StartBoardWidth, StartBoardHeight, 1.0f);
  Level.cells = map.cells;
}

int bombNeighbours(int index) {
  int bombs = 0;
  for (int direction : Directions) {
    const int n = neighbour(index, direction);
    bombs += n >= 0 && Level.cells[n].content == CellBomb;
  }
  return bombs;
}

int existingCells(const MapFile& map) {
  int count = 0;
  for (const HexCell& cell : map.cells) count += cell.content >= 0;
  return count;
}

int connectedFrom(int start) {
  std::vector<int> found{start};
  std::vector<char> seen(Level.cells.size(), 0);
  seen[start] = 1;
  for (size_t next = 0; next < found.size(); ++next)
    for (int direction : Directions) {
      const int n = neighbour(found[next], direction);
      if (n >= 0 && !seen[n]) {
        seen[n] = 1;
        found.push_back(n);
      }
    }
  return static_cast<int>(found.size());
}
}  // namespace

TEST(MapContent, EveryMapIsTheStartUpBoard) {
  layoutBoard(0, 0, StartBoardWidth, StartBoardHeight, 1.0f);
  const std::vector<HexCell> geometry = Level.cells;
  for (const std::string& name : mapNames()) {
    SCOPED_TRACE(name);
    MapFile map;
    ASSERT_TRUE(readMap(mapsFolder() + "/" + name, map));
    const HexBoard& h = map.header;
    EXPECT_EQ(h.cellCount, 410);
    EXPECT_EQ(h.rowLenEven, 21);
    EXPECT_EQ(h.rowLenOdd, 20);
    EXPECT_EQ(h.rowCount, 20);
    EXPECT_EQ(h.originX, 0);
    EXPECT_EQ(h.originY, 0);
    EXPECT_EQ(h.width, 37);
    EXPECT_EQ(h.height, 31);
    EXPECT_EQ(h.cellRadius, 1);
    EXPECT_EQ(h.won + h.dead + h.bombEvent + h.flowerEvent, 0);
    EXPECT_EQ(h.roadLeft, 0);
    EXPECT_EQ(h.lives, 4);
    for (int i = 0; i < 410; ++i) {
      const HexCell& cell = map.cells[i];
      ASSERT_EQ(cell.index, i);
      ASSERT_EQ(cell.row, geometry[i].row);
      ASSERT_EQ(cell.column, geometry[i].column);
      ASSERT_FLOAT_EQ(cell.x, geometry[i].x);
      ASSERT_FLOAT_EQ(cell.y, geometry[i].y);
      ASSERT_TRUE(cell.content == CellHole || (cell.content >= 0 && cell.content <= CellBomb));
      ASSERT_EQ(map.marks[i], NoMark);
      ASSERT_TRUE(cell.flower == 0 || (cell.content >= 0 && cell.content < CellBomb));
    }
    useGeometryOf(map);
    ASSERT_TRUE(cellExists(h.currentCell));
    EXPECT_FLOAT_EQ(h.beeX, map.cells[h.currentCell].x);
    EXPECT_FLOAT_EQ(h.beeY, map.cells[h.currentCell].y);
  }
}

TEST(MapContent, TrainingNumbersMatchItsBombs) {
  MapFile map;
  ASSERT_TRUE(readMap(mapsFolder() + "/" + mapNames()[0], map));
  ASSERT_EQ(map.triggers.size(), 410u);
  // As loaded: briefing triggers set their cells' content.
  for (int i = 0; i < 410; ++i)
    if (map.triggers[i].active && map.triggers[i].briefing) map.cells[i].content = map.triggers[i].value;
  useGeometryOf(map);
  int bombs = 0, flowers = 0;
  for (int i = 0; i < 410; ++i) {
    const HexCell& cell = map.cells[i];
    bombs += cell.content == CellBomb;
    flowers += cell.flower;
    EXPECT_TRUE(cell.content < 0 || cell.content == CellBomb || cell.content == bombNeighbours(i)) << "cell " << i;
    EXPECT_FALSE(cell.open && cell.content == CellBomb) << "cell " << i;
  }
  EXPECT_EQ(map.header.bombCount, bombs);
  EXPECT_EQ(map.header.flowerCount, flowers);
  EXPECT_GE(flowers, 5);
  EXPECT_TRUE(map.cells[map.header.currentCell].open);
  EXPECT_EQ(map.items[195], ItemHammer);
  EXPECT_EQ(map.items[298], ItemBinoculars);
  int items = 0;
  for (int item : map.items) items += item != ItemNone;
  EXPECT_EQ(items, 2);
}

TEST(SceneryContent, ObjectsNameKnownModelsAndTextures) {
  std::vector<std::string> files;
  for (const std::string& name : mapNames()) files.push_back(name + ".bin");
  files.push_back("menu.bin");
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    std::vector<SceneObject> objects;
    ASSERT_TRUE(readSceneObjects(mapsFolder() + "/bin/" + file, objects));
    EXPECT_GE(objects.size(), 10u);
    std::set<std::string> meshes;
    for (const SceneObject& o : objects) {
      ASSERT_NE(std::memchr(o.meshName, 0, 32), nullptr);
      ASSERT_NE(std::memchr(o.textureName, 0, 32), nullptr);
      EXPECT_TRUE(Models.count(o.meshName)) << o.meshName;
      EXPECT_TRUE(SceneryTextures.count(o.textureName)) << o.textureName;
      EXPECT_TRUE(std::isfinite(o.yaw) && std::isfinite(o.position[0]) && std::isfinite(o.position[2]));
      EXPECT_GT(o.scale, 0);
      EXPECT_NEAR(o.position[1], 16.9f, 0.01f);
      meshes.insert(o.meshName);
    }
    for (const char* kind : {"l_island4", "l_most", "l_grib"}) EXPECT_TRUE(meshes.count(kind)) << kind;
  }
}
