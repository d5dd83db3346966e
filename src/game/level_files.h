#pragma once
// The level files in "maps": the board (.map), its training triggers (.map.trg)
// and the decoration around it (maps\bin\<name>.bin). Files that do not hold
// what their counts promise are refused whole.
#include <string>
#include <vector>

#include "game/level_records.h"

struct LevelFileState {
  // Map file names in play order, each at most 31 characters.
  std::vector<std::string> LevelList;
  // The decoration of the level loaded last.
  std::vector<SceneObject> SceneObjectList;
};
extern LevelFileState Levels;

constexpr size_t MaxLevelNameLength = 31;

void scanLevels();

// Empties the list, then reads the file; a missing or short file leaves it empty.
bool loadSceneObjects(const std::string& path);

// Board, triggers and scene objects of a level; false when the board was not
// replaced (missing or refused file, or an index outside Levels.LevelList).
bool loadLevel(int levelIndex);

// False leaves the Level as it was.
bool loadMap(const std::string& path);
