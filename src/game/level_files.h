#pragma once
// The level files in "maps": the board (.map), its training triggers (.map.trg)
// and the decoration around it (maps\bin\<name>.bin). Files that do not hold
// what their counts promise are refused whole.
#include <string>
#include <vector>

#include "game/level_records.h"

// Map file names in play order, each at most 31 characters.
extern std::vector<std::string> LevelList;
extern std::vector<SceneObject> SceneObjectList;

constexpr size_t MaxLevelNameLength = 31;

void scanLevels();

// Empties the list, then reads the file; a missing or short file leaves it empty.
bool loadSceneObjects(const std::string& path);

// Board, triggers and scene objects of a level; false when the board was not
// replaced (missing or refused file, or an index outside LevelList).
bool loadLevel(int levelIndex);

// False leaves the Level as it was.
bool loadMap(const std::string& path);
