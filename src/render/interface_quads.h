#pragma once
// Screen-aligned rectangles in interface units: x from 0 (left) to 2
// (right), y from 0 (top) to 1.5 (bottom); a rectangle is its top-left
// corner, width and height.
#include <vector>

#include "platform/d3d9/d3d9.h"

// One rectangle showing the whole named texture. Leaves the material "empty"
// bound and depth testing on.
void drawQuad(const char* textureName, float x, float y, float w, float h);
// Before the scene is drawn: the opaque part of the named texture's
// rectangle, which will be drawn over the scene, is made nearest in the depth
// buffer, so that the scene's pixels there fail the depth test unshaded.
void hideSceneUnderQuad(const char* textureName, float x, float y, float w, float h);
// After the quad is drawn: the depth under it is far again, so that what the
// scene draws over the quad afterwards (the bursts over the status bar) shows.
void uncoverSceneUnderQuad(const char* textureName, float x, float y, float w, float h);
// The pixel rectangles hideSceneUnderQuad has made nearest since the depth
// buffer was last cleared whole: nothing of the scene drawn there shows.
const std::vector<D3DRECT>& hiddenSceneRects();
// With every whole clear of the depth buffer.
void forgetHiddenSceneRects();
// One rectangle showing the region (u, v, du, dv) of the texture already on
// stage 0; transforms, programs and states are the caller's.
void drawQuadRegion(float x, float y, float w, float h, float u, float v, float du, float dv);
