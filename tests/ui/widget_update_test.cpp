// Per-frame behaviour: fades, hover, clicks and typing.
#include <vector>

#include "platform/test_hooks.h"
#include "support/interface.h"

namespace uitest {
namespace {

std::vector<std::string> Events;

void Log(const char* event) { Events.push_back(event); }

class WidgetUpdateTest : public UiTest {
 public:
  void SetUp() override {
    UiTest::SetUp();
    Events.clear();
  }
};

constexpr const char* kTwoButtons =
    "button {\n  name first\n  x 0.5\n  y 0.5\n  width 0.5\n  height 0.2\n  texture1 up1\n  texture2 over1\n"
    "  texture3 down1\n  wait 1.0\n  time 0.5\n}\n"
    "button {\n  name second\n  x 0.6\n  y 0.55\n  width 0.5\n  height 0.2\n  texture1 up2\n  texture2 over2\n"
    "  texture3 down2\n}\n";

TEST_F(WidgetUpdateTest, ButtonIgnoresThePointerUntilFadedIn) {
  Write("data/b.s", kTwoButtons);
  LoadLayout("b");
  ButtonWidget& first = FindButton("first");
  FindButton("second").enabled = 0;
  first.onHoverEnter = [] { Log("enter"); };
  first.onAction = [] { Log("click"); };
  Advance(1499);
  ClickAt(0.55f, 0.55f);
  PointAt(0.55f, 0.55f);
  Frame(true);
  EXPECT_TRUE(Events.empty()) << "no hover and no click while fading in";
  EXPECT_EQ(first.CurrentTexture(), "up1");
  Advance(1);
  Frame(true);
  EXPECT_EQ(Events, std::vector<std::string>{"enter"});
  EXPECT_EQ(first.CurrentTexture(), "down1") << "held over it";
  PointAt(1.9f, 1.4f);
  Frame(true);
  EXPECT_EQ(first.CurrentTexture(), "up1") << "moved off while held";
  PointAt(0.55f, 0.55f);
  Frame(true);
  Frame(false);
  EXPECT_EQ(Events, (std::vector<std::string>{"enter", "enter", "click"}));
  EXPECT_EQ(first.CurrentTexture(), "up1");
}

TEST_F(WidgetUpdateTest, FadesFollowWaitAndTimeAndReportShownOnce) {
  Write("data/l.s", "label {\n  name l\n  wait 0.5\n  time 1.0\n}\n");
  LoadLayout("l");
  LabelWidget& label = FindLabel("l");
  label.onShown = [] { Log("shown"); };
  EXPECT_EQ(label.timer.Progress(), 0.0f);
  Advance(500);
  EXPECT_EQ(label.timer.Progress(), 0.0f) << "invisible for the wait";
  Advance(500);
  EXPECT_FLOAT_EQ(label.timer.Progress(), 0.5f);
  Frame();
  EXPECT_TRUE(Events.empty());
  Advance(500);
  Frame();
  Frame();
  EXPECT_EQ(Events, std::vector<std::string>{"shown"}) << "full 1.5 s after loading, reported once";

  FadeOut(label);
  EXPECT_EQ(label.visible, 0);
  EXPECT_EQ(label.shownReported, 1) << "a fade-out does not report";
  FadeIn(label);
  EXPECT_EQ(label.visible, 1);
  EXPECT_EQ(label.shownReported, 0);
  Advance(1500);
  Frame();
  EXPECT_EQ(Events.size(), 2u);
  HideAtOnce(label);
  EXPECT_EQ(label.visible, 0);
  EXPECT_GT(label.timer.Progress(), 1.0f);
}

constexpr const char* kEdit =
    "edit {\n  name e\n  x 0.0\n  y 0.0\n  width 1.0\n  height 0.2\n  texture1 t1\n  texture2 t2\n"
    "  texture3 t3\n  length 5\n}\n";

TEST_F(WidgetUpdateTest, EditTakesPrintableCharactersUpToItsLength) {
  Write("data/e.s", kEdit);
  LoadLayout("e");
  EditWidget& edit = FindEdit("e");
  PointAt(1.5f, 1.0f);
  for (char c : std::string("abcdef")) Type(c);
  EXPECT_EQ(edit.Typed(), "abcde") << "a sixth character is ignored";
  EXPECT_EQ(Messages.TypedCharacters.pop(), 0) << "the character is consumed";
  Type(7);
  Type(30);
  EXPECT_EQ(edit.Typed(), "abcde") << "control characters are ignored";
  Type(8);
  EXPECT_EQ(edit.Typed(), "abcd") << "Backspace removes the last character";
  Type(static_cast<char>(0xE9));
  EXPECT_EQ(edit.Typed(), "abcd\xE9") << "every byte from 31 up is typed";
  for (int i = 0; i < 7; ++i) Type(8);
  EXPECT_EQ(edit.Typed(), "") << "Backspace on an empty field is ignored";
  EXPECT_EQ(edit.text.size(), 1u) << "exactly one cursor cell";
  EXPECT_EQ(edit.CurrentTexture(), "t3");
  // Ten characters between two frames, as a paste or a fast typist brings
  // them, all typed in order.
  for (char c : std::string("xyz\bw"
                            "\x05"
                            "uvtsr"))
    Messages.TypedCharacters.push(static_cast<uint8_t>(c));
  Frame();
  EXPECT_EQ(edit.Typed(), "xywuv");
  for (int i = 0; i < 80; ++i) Messages.TypedCharacters.push('a');
  EXPECT_FALSE(Messages.TypedCharacters.push('b')) << "a full queue drops the newest";
}

void SwitchScreen() {
  ClearWidgets();
  LoadLayout("second");
}

TEST_F(WidgetUpdateTest, AnActionMayReplaceTheListMidWalk) {
  Write("data/first.s",
        "button {\n  name go\n  width 2.0\n  height 1.5\n}\n"
        "label {\n  name stale\n  wait 1.0\n}\n");
  Write("data/second.s",
        "label {\n  name a\n}\n"
        "label {\n  name b\n}\n");
  LoadLayout("first");
  FindButton("go").onAction = SwitchScreen;
  FindLabel("stale").onShown = [] { Log("stale"); };
  ClickAt(1.0f, 0.7f);
  ASSERT_EQ(WidgetList.size(), 2u);
  EXPECT_EQ(WidgetList[0]->name, "a");
  // The walk went on with the next index of the new list: "b" was updated
  // in the frame of the switch, "a" was not.
  EXPECT_EQ(FindLabel("a").shownReported, 0);
  EXPECT_EQ(FindLabel("b").shownReported, 1);
  Advance(2000);
  Frame();
  EXPECT_TRUE(Events.empty()) << "the old screen's widgets are gone";
}

}  // namespace
}  // namespace uitest
