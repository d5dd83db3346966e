// Layout files, the widget list and lookups by name.
#include <cmath>

#include "support/interface.h"

namespace uitest {
namespace {

using LayoutTest = UiTest;

constexpr const char* kMixedLayout =
    "button {\n  name back\n  x 0.1\n  y 0.2\n  width 0.3\n  height 0.1\n  texture1 btn_up\n"
    "  texture2 btn_over\n  texture3 btn_down\n  margin_left 0.05\n  margin_top 0.01\n  text_width 0.25\n"
    "  text_height 0.06\n  font light\n  text Go_back\n  wait 0.5\n  time 1.0\n}\n"
    "panel {\n  name back\n  x 0.9\n}\n"
    "label {\n  name back\n  x 0.5\n  width 0.8\n  height 0.05\n  text Two_words|third\n}\n"
    "edit {\n  name field\n  texture3 bar_u\n  text ab_c\n}\n"
    "image {\n  name pic\n  texture1 menu\n  x 1\n}\n";

TEST_F(LayoutTest, LoadsEveryKindWithItsKeysAndSkipsUnknownBlocks) {
  Write("data/mixed.s", kMixedLayout);
  testing::internal::CaptureStdout();
  LoadLayout("mixed");
  std::string trace = testing::internal::GetCapturedStdout();

  ASSERT_EQ(WidgetList.size(), 4u);
  EXPECT_EQ(trace.rfind("=====================new\n", 0), 0u);
  EXPECT_NE(trace.find("panel {"), std::string::npos) << "every block read is traced, known or not";

  ButtonWidget& button = FindButton("back");
  EXPECT_EQ(button.kind, KindButton);
  EXPECT_FLOAT_EQ(button.x, 0.1f);
  EXPECT_FLOAT_EQ(button.height, 0.1f);
  EXPECT_EQ(button.texture2, "btn_over");
  EXPECT_EQ(button.CurrentTexture(), "btn_up");
  EXPECT_FLOAT_EQ(button.margin_left, 0.05f);
  EXPECT_FLOAT_EQ(button.text_width, 0.25f);
  EXPECT_EQ(button.font, "light");
  EXPECT_EQ(button.text, "Go back");
  EXPECT_EQ(button.timer.wait, 500);
  EXPECT_EQ(button.timer.duration, 1000);
  EXPECT_EQ(button.timer.start, static_cast<int32_t>(kStartTime + 500));

  EXPECT_EQ(FindLabel("back").text, "Two words\nthird");

  EditWidget& edit = FindEdit("field");
  EXPECT_EQ(edit.text, "ab c|");
  EXPECT_EQ(edit.length, 16) << "a missing length means 16";
  EXPECT_FLOAT_EQ(edit.x, 0.0f) << "a missing key reads as zero";
  EXPECT_FLOAT_EQ(edit.text_width, 0.0f);
  EXPECT_EQ(edit.timer.duration, 0);
  EXPECT_EQ(edit.texture1, "");

  // An int where a float belongs reads as its raw bits, a tiny number.
  ImageWidget& image = FindImage("pic");
  EXPECT_EQ(image.texture, "menu");
  EXPECT_LT(std::fabs(image.x), 1e-30f);
}

TEST_F(LayoutTest, EditLengthAndOddTimesAreTaken) {
  Write("data/odd.s",
        "edit {\n  name e\n  length 5\n  wait -0.25\n  time 99999999999.0\n}\n"
        "label {\n  name l\n  time 0.0015\n  text ___|\n}\n"
        "edit {\n  name zero\n  length 0\n}\n");
  LoadLayout("odd");
  EXPECT_EQ(FindEdit("e").length, 5);
  EXPECT_EQ(FindEdit("e").timer.wait, -250);
  EXPECT_EQ(FindEdit("e").timer.duration, INT32_MAX) << "clamped, not overflowed";
  EXPECT_EQ(FindLabel("l").timer.duration, 1) << "cut toward zero to whole milliseconds";
  EXPECT_EQ(FindLabel("l").text, "   \n");
  EXPECT_EQ(FindEdit("zero").length, 16);
}

}  // namespace
}  // namespace uitest
