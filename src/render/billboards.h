#pragma once
// Rectangles in the scene that always face the camera (3D particles), drawn
// in batches: beginBillboards, drawBillboard for each, endBillboards.
#include <cstdint>

#include "d3dutil/math.h"

// colour: red, green, blue, alpha bytes, the tint of the whole batch.
void beginBillboards(const char* textureName, const uint8_t colour[4]);
// sizeX, sizeY: full width and height in world units.
void drawBillboard(const D3DXVECTOR3& position, float sizeX, float sizeY);
// Binds the material "empty" and turns depth writing back on.
void endBillboards();
