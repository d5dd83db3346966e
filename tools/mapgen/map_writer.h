#pragma once
// Writes the global Level and its per-cell arrays as level files.
#include <string>
#include <vector>

#include "game/level_records.h"

// The map file, and beside it the trigger file when `withTriggers`.
bool writeMap(const std::string& path, bool withTriggers);
bool writeSceneObjects(const std::string& path, const std::vector<SceneObject>& objects);
