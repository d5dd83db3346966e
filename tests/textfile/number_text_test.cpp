#include "textfile/number_text.h"

#include <cfloat>
#include <clocale>

#include <gtest/gtest.h>

namespace {

TEST(NumberText, NumbersOutOfRangeAreClamped) {
  int32_t integer = 0;
  EXPECT_TRUE(ParseInt("-2147483648", integer));
  EXPECT_EQ(integer, INT32_MIN);
  EXPECT_TRUE(ParseInt("2147483648", integer));
  EXPECT_EQ(integer, INT32_MAX);

  float value = 0;
  std::string huge = std::string(60, '9') + ".0";
  EXPECT_TRUE(ParseFloat(huge, value));
  EXPECT_EQ(value, FLT_MAX);
  EXPECT_TRUE(ParseFloat("-" + huge, value));
  EXPECT_EQ(value, -FLT_MAX);
  EXPECT_TRUE(ParseFloat("0." + std::string(100, '0') + "1", value));
  EXPECT_EQ(value, 0.0f);
  EXPECT_FALSE(ParseFloat("--1.0", value));
}

TEST(NumberText, FloatsAreWrittenWithThreeDecimals) {
  EXPECT_EQ(FormatFloat(0.85f), "0.850");
  EXPECT_EQ(FormatFloat(37.0f), "37.000");
  EXPECT_EQ(FormatFloat(1.23456f), "1.235");
  EXPECT_EQ(FormatFloat(-0.04f), "-0.040");
  EXPECT_EQ(FormatFloat(0.0f), "0.000");
  float back = 0;
  ASSERT_TRUE(ParseFloat(FormatFloat(FLT_MAX), back));
  EXPECT_EQ(back, FLT_MAX);
}

TEST(NumberText, TheProcessLocaleDoesNotMatter) {
  const char* commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE"};
  const char* chosen = nullptr;
  for (const char* name : commaLocales)
    if (std::setlocale(LC_ALL, name)) {
      chosen = name;
      break;
    }
  if (!chosen) GTEST_SKIP() << "no locale with a decimal comma installed";
  float value = 0;
  bool parsed = ParseFloat("2.75", value);
  std::string text = FormatFloat(0.5f);
  std::setlocale(LC_ALL, "C");
  EXPECT_TRUE(parsed);
  EXPECT_EQ(value, 2.75f);
  EXPECT_EQ(text, "0.500");
}

}  // namespace
