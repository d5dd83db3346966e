// The generated levels, read by the game's own loader: every map is the
// start-up board, the training's numbers match its bombs, and the scenery
// names models and textures the game has.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "game/board.h"
#include "game/level_files.h"
#include "platform/files.h"
#include "platform/png_image.h"
#include "support/round.h"

namespace {
const std::string kMaps = std::string(KESTRIN_GAME_DIR) + "/maps/";

const std::set<std::string> Models = {
    "hexagon", "l_brevno", "l_binokl", "skybox", "l_grass1", "l_grass2", "l_grib", "l_island",
    "l_island2", "l_island3", "l_island4", "l_molot", "l_most", "l_stone1", "l_stone2", "l_vopros",
    "l_voskl", "bee", "flower", "flag", "body", "head", "wing1", "wing2"};
const std::set<std::string> SceneryTextures = {"trava", "brevno11", "doska",    "grib",    "kamen",
                                               "ostrov1", "ostrov12", "ostrov", "mushroom"};

std::vector<std::string> MapNames() { return FindFiles(kMaps + "*.map"); }
}  // namespace

TEST(MapContent, EveryMapIsTheStartUpBoard) {
  ASSERT_EQ(MapNames().size(), 9u);
  for (const std::string& name : MapNames()) {
    SCOPED_TRACE(name);
    boardtest::emptyBoard();
    const std::vector<HexCell> geometry = Level.cells;
    ASSERT_TRUE(loadMap(kMaps + name));
    EXPECT_EQ(Level.cellCount, 410);
    EXPECT_EQ(Level.rowCount, 20);
    EXPECT_EQ(Level.won + Level.dead + Level.flowerEvent, 0);
    EXPECT_EQ(Level.lives, 4);
    for (int i = 0; i < 410; ++i) {
      const HexCell& cell = Level.cells[i];
      ASSERT_EQ(cell.row, geometry[i].row);
      ASSERT_EQ(cell.column, geometry[i].column);
      ASSERT_FLOAT_EQ(cell.x, geometry[i].x);
      ASSERT_FLOAT_EQ(cell.y, geometry[i].y);
      ASSERT_TRUE(cell.content == CellHole || (cell.content >= 0 && cell.content <= CellBomb));
      ASSERT_TRUE(cell.flower == 0 || (cell.content >= 0 && cell.content < CellBomb));
    }
    ASSERT_TRUE(cellExists(Level, Level.currentCell));
    EXPECT_FLOAT_EQ(Level.beeX, Level.cells[Level.currentCell].x);
  }
}

TEST(MapContent, TrainingNumbersMatchItsBombs) {
  boardtest::emptyBoard();
  ASSERT_TRUE(loadMap(kMaps + MapNames()[0]));
  int flowers = 0;
  for (int i = 0; i < Level.cellCount; ++i) {
    const HexCell& cell = Level.cells[i];
    flowers += cell.flower;
    EXPECT_TRUE(cell.content < 0 || cell.content == CellBomb || cell.content == boardtest::bombNeighbours(i))
        << "cell " << i;
    EXPECT_FALSE(cell.open && cell.content == CellBomb) << "cell " << i;
  }
  EXPECT_GE(flowers, 5);
  EXPECT_TRUE(Level.cells[Level.currentCell].open);
  EXPECT_EQ(Level.cellItems[195], ItemHammer);
  EXPECT_EQ(Level.cellItems[298], ItemBinoculars);
}

TEST(SceneryContent, ObjectsNameKnownModelsAndTextures) {
  std::vector<std::string> files;
  for (const std::string& name : MapNames()) files.push_back(name + ".bin");
  files.push_back("menu.bin");
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(loadSceneObjects(kMaps + "bin/" + file));
    EXPECT_GE(Levels.SceneObjectList.size(), 10u);
    std::set<std::string> meshes;
    for (const SceneObject& o : Levels.SceneObjectList) {
      EXPECT_TRUE(Models.count(o.meshName)) << o.meshName;
      EXPECT_TRUE(SceneryTextures.count(o.textureName)) << o.textureName;
      EXPECT_TRUE(std::isfinite(o.yaw) && std::isfinite(o.position[0]) && std::isfinite(o.position[2]));
      EXPECT_GT(o.scale, 0);
      EXPECT_NEAR(o.position[1], 16.9f, 0.01f);
      // Well inside the sky (a sphere of 300 around 20, -100, 20, its faces
      // a little nearer): a kept frame's scenery is always nearer than it.
      // Every model fits in a sphere of twice its scale.
      const float dx = o.position[0] - 20, dy = o.position[1] + 100, dz = o.position[2] - 20;
      EXPECT_LT(std::sqrt(dx * dx + dy * dy + dz * dz) + 2 * o.scale, 280) << o.meshName;
      meshes.insert(o.meshName);
    }
    for (const char* kind : {"l_island4", "l_most", "l_grib"}) EXPECT_TRUE(meshes.count(kind)) << kind;
  }
}

TEST(SceneryContent, TexturesDrawnUnblendedAreWhollyOpaque) {
  std::set<std::string> opaque = SceneryTextures;
  opaque.insert({"newsky", "hex_close6", "hex_open_void", "hex_bomb", "hex_open_1", "hex_open_2", "hex_open_3",
                 "hex_open_4", "hex_open_5", "hex_open_6"});
  for (const std::string& name : opaque) {
    std::vector<unsigned char> bytes;
    ArgbImage image;
    ASSERT_TRUE(ReadWholeFile(std::string(KESTRIN_GAME_DIR) + "/textures/" + name + ".png", bytes) &&
                DecodePng(bytes, &image));
    EXPECT_TRUE(std::all_of(image.pixels.begin(), image.pixels.end(), [](uint32_t p) { return p >> 24 == 0xFF; }))
        << name;
  }
}
