// The menu screens on the layouts the game ships: the flows between them and
// what each button does.
#include <cstring>
#include <vector>

#include "platform/dsound/dsound.h"
#include "platform/files.h"
#include "render/texture_cache.h"
#include "support/interface.h"

namespace uitest {
namespace {

std::vector<std::string> Calls;

class MenuTest : public UiTest {
 public:
  void SetUp() override {
    UiTest::SetUp();
    Calls.clear();
    InstallShippedData();
    RegisterMode("menu", nullptr, MenuModeDraw);
    RegisterMode("game", nullptr, nullptr);
    for (const char* mode : {"menu", "game"}) SetModeActive(mode, 0);
  }

  // Slot 0 in use with this name and opened levels, the others free.
  void MakeProfile(const char* name, int openedMaps) {
    LoadProfiles();
    ProfileSlots[0].Get("name").SetString(name);
    ProfileSlots[0].Get("empty").SetInt(0);
    ProfileSlots[0].Get("opened_maps").SetInt(openedMaps);
    SaveProfiles();
  }

  // Lets the screen finish fading in, then clicks the button.
  void Press(const char* name) {
    Advance(3000);
    Frame();
    ButtonWidget& button = FindButton(name);
    ASSERT_FALSE(IsPlaceholder(button)) << name;
    PointAtWidget(button);
    Frame(true);
    PointAtWidget(button);
    Frame(false);
  }

  static bool Active(const char* mode) { return FindMode(mode)->active != 0; }
  static bool Showing(const Widget& widget) { return widget.visible && !widget.fadeOut; }
};

TEST_F(MenuTest, ALastProfileThatNamesNoUsedSlotFallsToOneInUse) {
  InstallSettings(7);
  LoadProfiles();
  ProfileSlots[2].Get("empty").SetInt(0);
  ProfileSlots[2].Get("name").SetString("^Zed ");
  SaveProfiles();
  EnterMainMenu();
  EXPECT_EQ(CurrentProfile, 2);
  EXPECT_EQ(lastprofile, 2);
  EXPECT_EQ(FindLabel("lbl").text, "Hello, ^Zed !");

  lastprofile = 1;  // a free slot, as a cancelled naming leaves it
  EnterMainMenu();
  EXPECT_EQ(CurrentProfile, 2);
}

TEST_F(MenuTest, OptionsGoStraightBackUnlessSomethingChanged) {
  InstallSettings(0);
  MakeProfile("^Bo ", 1);
  ResolutionChoice = 2;
  EnterMainMenu();
  Press("options");
  EXPECT_EQ(MenuPage, PageOptions);
  EXPECT_EQ(ResolutionSelection, 2);
  EXPECT_EQ(FindButton("winmode").onHoverEnter, PlayHoverSound);
  Press("res2");
  Press("apply");
  EXPECT_FALSE(IsPlaceholder(FindButton("play"))) << "nothing changed: the main menu";
  EXPECT_EQ(MenuPage, PageMainMenu);

  Press("options");
  Press("winmode");
  EXPECT_EQ(foolscreen, 1);
  EXPECT_EQ(OptionsChanged, 1);
  Press("apply");
  EXPECT_EQ(OptionsChanged, 0);
  EXPECT_FALSE(IsPlaceholder(FindButton("ok"))) << "the notice";
  Press("ok");
  EXPECT_FALSE(IsPlaceholder(FindButton("play")));

  Press("options");
  Press("res3");
  EXPECT_EQ(ResolutionChoice, 2) << "chosen, not yet applied";
  Press("apply");
  EXPECT_EQ(ResolutionChoice, 3);
  EXPECT_FALSE(IsPlaceholder(FindButton("ok")));
  EXPECT_EQ(res_width, 800) << "nothing changes in the running game";
}

void RecordQuit() { Calls.push_back("quit"); }

}  // namespace
}  // namespace uitest
