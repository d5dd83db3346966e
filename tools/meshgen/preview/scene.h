#pragma once
// Draws a corner of a round the way the game's drawing code does (sky,
// islands and props, flowers and tools, the bee, the cells with their
// number plates, highlights and flags) through the round's own camera, to
// check that every model and texture comes out the right way round.
#include <functional>
#include <string>
#include <vector>

#include "raster.h"

using ModelLookup = std::function<const std::vector<PreviewNode>*(const std::string& name)>;
using TextureLookup = std::function<const Image*(const std::string& name)>;

void DrawRoundScene(Canvas& canvas, const ModelLookup& model, const TextureLookup& texture);

// The game's mesh placement: S x Rz x Ry x Rx x T, angles in degrees.
Mat4 DrawTransform(Vec3 position, double angleX, double angleY, double angleZ, double scale);
