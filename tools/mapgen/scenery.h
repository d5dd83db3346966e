#pragma once
// Decoration round a board: islands under it, grass, stones, logs and
// mushrooms on the shore, and bridges out to small islets.
//
// Mesh size assumptions (the mesh generator models to these): an island
// ("l_island".."l_island4") has its flat top at height 0 and a footprint of
// radius 1 round its origin, so its scale is its radius in world units; a
// bridge ("l_most") runs one unit along its local +x from its origin at deck
// height 0; the small props are about one unit tall, standing on height 0.
#include <vector>

#include "game/level_records.h"

// Height of the island tops, just under the tiles at 17.0.
constexpr float IslandTop = 16.9f;

// Scenery for the board now in Level; `seed` varies the props per level.
std::vector<SceneObject> sceneryForBoard(unsigned seed);

// The main menu's background: one large island with props.
std::vector<SceneObject> menuScenery();
