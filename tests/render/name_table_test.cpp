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

TEST(NameTable, RepeatedAndKnownNamesAreAddedOnce) {
  NameTable table;
  EXPECT_EQ(table.addNames("m_menu m_empty_down m_menu"), 2);
  EXPECT_EQ(table.addNames("m_empty_down,m_menu"), 0);
  EXPECT_EQ(table.count, 2);
  EXPECT_EQ(table.addNames("empty m_menu"), 1);
  EXPECT_EQ(table.indexOf("empty"), 2);
}

TEST(NameTable, IndicesStayFixedWhenTheTableGrows) {
  NameTable table;
  table.addNames("a");
  for (int i = 0; i < 200; ++i) table.addNames(("n" + std::to_string(i)).c_str());
  EXPECT_EQ(table.indexOf("a"), 0);
  EXPECT_EQ(table.indexOf("n199"), 200);
  EXPECT_STREQ(table.nameAt(0), "a");
}

TEST(NameTable, LookupIsExactAndCaseSensitive) {
  NameTable table;
  EXPECT_EQ(table.indexOf("bee"), -1);  // empty table
  table.addNames("bee");
  EXPECT_EQ(table.indexOf("Bee"), -1);
  EXPECT_EQ(table.indexOf("be"), -1);
  EXPECT_EQ(table.indexOf("bees"), -1);
  EXPECT_EQ(table.indexOf(nullptr), -1);
  EXPECT_EQ(table.addNames(nullptr), 0);
  EXPECT_EQ(table.addNames(""), 0);
  EXPECT_EQ(table.addNames(" , ,"), 0);
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

TEST(NameTable, ShortNamesLeaveTheRestOfTheSlotZero) {
  NameTable table;
  table.addNames("ab");
  for (int i = 2; i < NameTable::kSlotSize; ++i) EXPECT_EQ(table.names[0][i], 0);
}

TEST(NameTable, ClearEmptiesTheTable) {
  NameTable table;
  table.addNames("a b c");
  table.clear();
  EXPECT_EQ(table.count, 0);
  EXPECT_EQ(table.indexOf("a"), -1);
  EXPECT_EQ(table.addNames("c"), 1);
  EXPECT_EQ(table.indexOf("c"), 0);
}

}  // namespace
