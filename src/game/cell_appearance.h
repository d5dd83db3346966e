#pragma once
// Which textures show a cell's state when the board is drawn.
#include <string>

#include "game/level_records.h"

constexpr const char* BeeCellHighlight = "hex_30";
constexpr const char* PointerCellHighlight = "hex_40";

// The tile: "hex_close6", "hex_open_void", "hex_open_<n>" or "hex_bomb";
// empty for a hole.
std::string cellTexture(const HexCell& cell);

// "hex_number_<n>" for the plate over an open cell showing 1 to 6, else empty.
std::string cellNumberTexture(const HexCell& cell);

// Closed cells, empty and bomb tiles may be skipped when out of view; the
// numbered tiles are always drawn.
bool cellCullable(const HexCell& cell);
