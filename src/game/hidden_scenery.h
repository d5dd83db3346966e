#pragma once
// The scenery a round's camera cannot see, left out of the frame to spare a
// software rasterizer the pixels it would only reject by depth: the ground
// under the board's cells (which are drawn first), found once the round's
// board is final, and in each frame the parts of the sky behind the cells or
// under the opaque interface.
#include <cstddef>
#include <vector>

#include "d3dutil/math.h"
#include "game/level_records.h"
#include "render/mesh.h"

// Works out, for each of Levels.SceneObjectList's objects, which of its model's
// triangles stay to be drawn. Call it once the board's cells and the scene
// objects are those of the round.
void findHiddenGround();
void forgetHiddenGround();

// The stretches of the object's model to draw, or null to draw it whole
// (nothing of it is hidden, or the list has changed since).
const std::vector<VertexRun>* visibleGroundRuns(size_t sceneObject);

// The stretches of the sky's model to draw this frame, placed by `placing`
// and seen through Graphics.ViewMatrix and Graphics.ProjectionMatrix; null to draw it whole.
// Valid until the next call.
const std::vector<VertexRun>* visibleSkyRuns(const MeshNode& sky, const D3DXMATRIX& placing);

// True when the box, placed by `world` and seen through Graphics.ViewMatrix and
// Graphics.ProjectionMatrix, falls wholly under the opaque interface.
bool boxUnderInterface(const D3DXVECTOR3& low, const D3DXVECTOR3& high, const D3DXMATRIX& world);

// Where a scene object's model stands in the world, as drawScenery draws it.
D3DXMATRIX sceneObjectPlacing(const SceneObject& object);
