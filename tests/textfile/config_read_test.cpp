#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "textfile/config_node.h"
#include "support/files.h"

namespace {

float FloatOf(const char* text) { return std::stof(text); }

int32_t BitsOf(float value) {
  int32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

class ConfigRead : public testing::Test {
 protected:
  ConfigNode LoadText(const std::string& text, bool expected = true) {
    ConfigNode node;
    EXPECT_EQ(node.Load(dir.Write("file.s", text)), expected);
    return node;
  }

  testfiles::TempDir dir;
};

TEST_F(ConfigRead, ValuesAreTypedByHowTheyAreSpelled) {
  struct Case {
    const char* spelled;
    ValueType type;
    const char* value;
  };
  const Case cases[] = {
      {"800", ValueType::Int, "800"},      {"0.04", ValueType::Float, "0.04"},
      {"lightfont", ValueType::String, "lightfont"},
      {"007", ValueType::Int, "7"},        {"7a", ValueType::String, "7a"},
      {"1e3", ValueType::String, "1e3"},   {"+1", ValueType::String, "+1"},
      {"1.2.3", ValueType::String, "1.2.3"}, {".5", ValueType::Float, "0.5"},
      {"1.", ValueType::Float, "1"},       {"-12", ValueType::Int, "-12"},
      {"1-2", ValueType::Int, "1"},        {"-.25", ValueType::Float, "-0.25"},
      {"2.5-1", ValueType::Float, "2.5"},
      // Numbers without digits read as empty strings.
      {"-", ValueType::String, ""},        {".", ValueType::String, ""},
      {"--", ValueType::String, ""},       {"-.", ValueType::String, ""},
  };

  std::string text = "sample {\n";
  for (size_t i = 0; i < std::size(cases); ++i) text += "  k" + std::to_string(i) + " " + cases[i].spelled + "\n";
  ConfigNode node = LoadText(text + "}\n");
  EXPECT_EQ(node.name, "sample");
  EXPECT_EQ(node.EntryCount(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const ConfigValue& value = node.Get("k" + std::to_string(i));
    EXPECT_EQ(value.type, cases[i].type) << cases[i].spelled;
    SCOPED_TRACE(cases[i].spelled);
    if (value.type == ValueType::Int) {
      EXPECT_EQ(value.AsInt(), std::stoi(cases[i].value));
    } else if (value.type == ValueType::Float) {
      EXPECT_EQ(value.AsFloat(), FloatOf(cases[i].value));
    } else {
      EXPECT_STREQ(value.AsString(), cases[i].value);
    }
  }
  // One storage for all types: a Float read as an int gives its bits.
  EXPECT_EQ(node.Get("k1").AsInt(), BitsOf(FloatOf("0.04")));
}

TEST_F(ConfigRead, TablesAreCountedByCellsNotLines) {
  ConfigNode node = LoadText(
      "sample {\n  count 2\n  data cells 2 3 {\n  0 0\n 16 16\n 0.5 last\n  }\n"
      "  data cells 1 1 { other }\n  after 9\n}\n");
  ASSERT_EQ(node.TableCount(), 2u);
  EXPECT_EQ(node.tables[0].rows, 2);
  EXPECT_EQ(node.tables[0].columns, 3);
  EXPECT_STREQ(node.tables[0].name, "cells");
  EXPECT_EQ(node.GetCell("cells", 0, 2).AsInt(), 16);
  EXPECT_STREQ(node.GetCell("cells", 1, 2).AsString(), "last");
  EXPECT_EQ(node.GetCell("cells", 1, 1).type, ValueType::Float);
  EXPECT_EQ(node.GetCell("cells", 1, 1).AsFloat(), 0.5f);
  EXPECT_EQ(node.Get("count").AsInt(), 2);
  EXPECT_EQ(node.Get("after").AsInt(), 9);

  EXPECT_EQ(node.GetCell("cells", 2, 0).type, ValueType::None);
  EXPECT_EQ(node.GetCell("cells", 0, 3).type, ValueType::None);
  EXPECT_EQ(node.GetCell("cells", -1, 0).type, ValueType::None);
  EXPECT_EQ(node.GetCell("cells", 0, -1).type, ValueType::None);
  EXPECT_EQ(node.GetCell("nothing", 0, 0).type, ValueType::None);
  EXPECT_EQ(node.GetCell(nullptr, 0, 0).type, ValueType::None);
}

TEST_F(ConfigRead, InputEndingInsideATableKeepsWhatWasRead) {
  ConfigNode node = LoadText("b { first 1 data t 3 3 { 1 2 3\n4");
  EXPECT_EQ(node.Get("first").AsInt(), 1);
  ASSERT_EQ(node.TableCount(), 1u);
  EXPECT_EQ(node.GetCell("t", 0, 2).AsInt(), 3);
  EXPECT_EQ(node.GetCell("t", 1, 0).AsInt(), 4);
  EXPECT_EQ(node.GetCell("t", 1, 1).type, ValueType::None);
  EXPECT_EQ(node.GetCell("t", 2, 2).type, ValueType::None);

  ConfigNode header = LoadText("b { data t 3");
  EXPECT_EQ(header.TableCount(), 1u);
  EXPECT_EQ(header.tables[0].rows, 3);
  EXPECT_EQ(header.tables[0].columns, 0);
}

TEST_F(ConfigRead, AbsurdTableSizesDoNotExhaustMemory) {
  ConfigNode huge = LoadText("b { data t 2000000000 2000000000 { 1 2 3 } }");
  EXPECT_EQ(huge.GetCell("t", 0, 0).AsInt(), 1);
  EXPECT_EQ(huge.GetCell("t", 0, 2).AsInt(), 3);
  EXPECT_EQ(huge.GetCell("t", 1999999999, 1999999999).type, ValueType::None);

  ConfigNode negative = LoadText("b { data t -5 3 { } after 1 }");
  ASSERT_EQ(negative.TableCount(), 1u);
  EXPECT_EQ(negative.tables[0].rows, 0);
  EXPECT_EQ(negative.GetCell("t", 0, 0).type, ValueType::None);
  EXPECT_EQ(negative.Get("after").AsInt(), 1);

  // Past the cells kept, the rest are still counted and skipped.
  std::string cells;
  for (int i = 0; i < 70000; ++i) cells += "1 ";
  ConfigNode wide = LoadText("b { data t 1 70000 { " + cells + "} tail 5 }");
  EXPECT_EQ(wide.GetCell("t", 0, 65535).AsInt(), 1);
  EXPECT_EQ(wide.GetCell("t", 0, 65536).type, ValueType::None);
  EXPECT_EQ(wide.Get("tail").AsInt(), 5);
}

// An installed game's data is read-only.
TEST_F(ConfigRead, AWriteProtectedFileIsRead) {
  std::string file = dir.Write("locked.s", "b { a 1 }");
  if (!testfiles::WriteProtect(file)) GTEST_SKIP() << "cannot write-protect here";
  ConfigNode node;
  EXPECT_TRUE(node.Load(file));
  EXPECT_EQ(node.Get("a").AsInt(), 1);
}

TEST_F(ConfigRead, ReadNextWalksTheBlocksOfAStream) {
  std::string file = dir.Write("layout.s",
                               "button {\n x 0.5\n name ok\n}\r\n\n"
                               "label { text hello_world }\n"
                               "image { texture1 menu data t 1 1 { 1 } }\n\n");
  FILE* stream = std::fopen(file.c_str(), "r");
  ASSERT_NE(stream, nullptr);
  ConfigNode node;
  ASSERT_TRUE(node.ReadNext(stream));
  EXPECT_EQ(node.name, "button");
  EXPECT_EQ(node.Get("x").AsFloat(), 0.5f);
  // Left right after the block and the white space behind it.
  int next = std::fgetc(stream);
  EXPECT_EQ(next, 'l');
  std::ungetc(next, stream);

  ASSERT_TRUE(node.ReadNext(stream));
  EXPECT_EQ(node.name, "label");
  EXPECT_EQ(node.Get("x").type, ValueType::None);
  EXPECT_STREQ(node.Get("text").AsString(), "hello_world");

  ASSERT_TRUE(node.ReadNext(stream));
  EXPECT_EQ(node.name, "image");
  EXPECT_EQ(node.TableCount(), 1u);

  EXPECT_FALSE(node.ReadNext(stream));
  EXPECT_EQ(node.name, "");
  EXPECT_EQ(node.EntryCount(), 0u);
  EXPECT_EQ(node.TableCount(), 0u);
  std::fclose(stream);

  EXPECT_FALSE(node.ReadNext(nullptr));
}

}  // namespace
