#pragma once
// The island outlines of the generated levels. Bombs, flowers and items are
// placed by the game each time a level starts; the maps only hold the shape.
#include <string>
#include <vector>

struct IslandShape {
  std::string name;
  // Inside test in unit coordinates as seen on screen: u to the right, v up.
  bool (*inside)(float u, float v);
  // World units per unit across the screen (board z) and up it (board x).
  float across;
  float up;
};

// Shapes of levels 2 to 9, smallest first.
const std::vector<IslandShape>& islandShapes();

// Lays the shape on the prepared board and stores a start cell near its middle.
void shapeBoard(const IslandShape& shape);
