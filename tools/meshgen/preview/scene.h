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

// A level as the game lays it out (its scene objects from maps/bin and its
// cells from the map file), seen from high above the -x side. False when
// the level's files cannot be read.
bool DrawLevelOverview(Canvas& canvas, const std::string& mapPath, const std::string& scenePath,
                       const ModelLookup& model, const TextureLookup& texture);

// The game's mesh placement: S x Rz x Ry x Rx x T, angles in degrees.
Mat4 DrawTransform(Vec3 position, double angleX, double angleY, double angleZ, double scale);
