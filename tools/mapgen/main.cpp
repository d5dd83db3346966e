// Writes the level files into a game folder's maps\ and maps\bin\: the
// training map with its triggers, one shaped map per further level, the
// scenery of each and the main menu's background.
#include <cstdio>
#include <filesystem>
#include <string>

#include "board_setup.h"
#include "island_shapes.h"
#include "map_writer.h"
#include "scenery.h"
#include "training_map.h"

namespace {
bool writeLevel(const std::string& maps, const std::string& name, bool withTriggers, unsigned seed) {
  return writeMap(maps + "/" + name, withTriggers) &&
         writeSceneObjects(maps + "/bin/" + name + ".bin", sceneryForBoard(seed));
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s GAME_DIR\n", argv[0]);
    return 2;
  }
  const std::string maps = std::string(argv[1]) + "/maps";
  std::error_code error;
  std::filesystem::create_directories(maps + "/bin", error);

  buildTrainingMap();
  bool ok = writeLevel(maps, "1_training.map", true, 1);
  int number = 2;
  for (const IslandShape& shape : islandShapes()) {
    prepareBoard();
    shapeBoard(shape);
    ok = ok && writeLevel(maps, std::to_string(number) + "_" + shape.name + ".map", false, number);
    ++number;
  }
  ok = ok && writeSceneObjects(maps + "/bin/menu.bin", menuScenery());
  if (!ok) {
    std::fprintf(stderr, "could not write the maps into %s\n", maps.c_str());
    return 1;
  }
  return 0;
}
