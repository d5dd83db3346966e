#pragma once
// The scenery no camera of a round can see: triangles lying under the
// board's cells, which are drawn first and hide them by depth. They are found
// once the round's board is final and left out of every frame, which spares a
// software rasterizer the pixels it would only reject.
#include <cstddef>
#include <vector>

#include "d3dutil/math.h"
#include "game/level_records.h"
#include "render/mesh.h"

// Works out, for each of SceneObjectList's objects, which of its model's
// triangles stay to be drawn. Call it once the board's cells and the scene
// objects are those of the round.
void findHiddenGround();
void forgetHiddenGround();

// The stretches of the object's model to draw, or null to draw it whole
// (nothing of it is hidden, or the list has changed since).
const std::vector<VertexRun>* visibleGroundRuns(size_t sceneObject);

// True when no camera of a round sees any of the triangle (world space): it
// lies below the cells, and every cell near enough to cover it from any
// slanting view exists.
bool hiddenUnderBoard(const D3DXVECTOR3 corners[3]);

// Where a scene object's model stands in the world.
D3DXMATRIX sceneObjectPlacing(const SceneObject& object);
