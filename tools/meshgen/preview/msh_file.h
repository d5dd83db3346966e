#pragma once
// Reads a .msh model the way the game does: nodes with accumulated matrices
// (parent x own), triangles expanded to three corners each, v flipped.
#include <string>
#include <vector>

#include "../geometry.h"

struct PreviewCorner {
  Vec3 position, normal;
  Vec2 uv;  // as the game stores it: (u, 1 - v)
};

struct PreviewNode {
  std::string name, texture;
  Mat4 matrix;  // accumulated
  std::vector<PreviewCorner> corners;
};

// All nodes of the tree, depth first, parent before children; false when the
// file cannot be read or is malformed.
bool LoadMsh(const std::string& path, std::vector<PreviewNode>& nodes);
