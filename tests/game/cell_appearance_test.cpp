#include <gtest/gtest.h>

#include "game/cell_appearance.h"

TEST(CellAppearance, EachStateHasItsTexture) {
  HexCell cell{};
  cell.content = 3;
  EXPECT_EQ(cellTexture(cell), "hex_close6");
  EXPECT_EQ(cellNumberTexture(cell), "");
  EXPECT_TRUE(cellCullable(cell));
  cell.open = 1;
  EXPECT_EQ(cellTexture(cell), "hex_open_3");
  EXPECT_EQ(cellNumberTexture(cell), "hex_number_3");
  EXPECT_FALSE(cellCullable(cell));
  cell.content = 0;
  EXPECT_EQ(cellTexture(cell), "hex_open_void");
  EXPECT_TRUE(cellCullable(cell));
  cell.content = CellBomb;
  EXPECT_EQ(cellTexture(cell), "hex_bomb");
  EXPECT_EQ(cellNumberTexture(cell), "");
  cell.content = CellHole;
  EXPECT_EQ(cellTexture(cell), "");
}
