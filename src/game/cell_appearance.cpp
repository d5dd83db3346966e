#include "game/cell_appearance.h"

namespace {
bool showsNumber(const HexCell& cell) { return cell.open && cell.content >= 1 && cell.content <= 6; }
}  // namespace

std::string cellTexture(const HexCell& cell) {
  if (cell.content < 0) return "";
  if (!cell.open) return "hex_close6";
  if (cell.content == 0) return "hex_open_void";
  if (cell.content == CellBomb) return "hex_bomb";
  return "hex_open_" + std::to_string(cell.content);
}

std::string cellNumberTexture(const HexCell& cell) {
  return showsNumber(cell) ? "hex_number_" + std::to_string(cell.content) : "";
}

bool cellCullable(const HexCell& cell) { return !showsNumber(cell); }
