#include "render/name_table.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(NameTable, AddsTokensSeparatedByCommasAndBlanksInOrder) {
  NameTable table;
  EXPECT_EQ(table.addNames("hexagon,  l_brevno l_binokl,,skybox"), 4);
  ASSERT_EQ(table.count, 4);
  EXPECT_STREQ(table.nameAt(0), "hexagon");
  EXPECT_STREQ(table.nameAt(1), "l_brevno");
  EXPECT_STREQ(table.nameAt(2), "l_binokl");
  EXPECT_STREQ(table.nameAt(3), "skybox");
  EXPECT_EQ(table.indexOf("skybox"), 3);
}

TEST(NameTable, LongNamesAreCutToThirtyOneCharactersAndZeroPadded) {
  NameTable table;
  std::string longName(45, 'x');
  longName[31] = 'y';
  EXPECT_EQ(table.addNames(longName.c_str()), 1);
  EXPECT_EQ(std::string(table.nameAt(0)), std::string(31, 'x'));
  for (int i = 31; i < NameTable::kSlotSize; ++i) EXPECT_EQ(table.names[0][i], 0);
  // The same cut applies to lookups and to later adds.
  EXPECT_EQ(table.indexOf(longName.c_str()), 0);
  EXPECT_EQ(table.indexOf(std::string(31, 'x').c_str()), 0);
  EXPECT_EQ(table.addNames((std::string(31, 'x') + "zzz").c_str()), 0);
}

}  // namespace
