// The menu screens on the layouts the game ships.
#include "platform/test_hooks.h"
#include "support/interface.h"

namespace uitest {
namespace {

class MenuTest : public UiTest {
 public:
  void SetUp() override {
    UiTest::SetUp();
    InstallShippedData();
    RegisterMode("menu", MenuModeUpdate, nullptr);
    RegisterMode("game", nullptr, nullptr);
  }
};

TEST_F(MenuTest, ALastProfileThatNamesNoUsedSlotFallsToOneInUse) {
  InstallSettings(7);
  LoadProfiles();
  Profiles.ProfileSlots[2].Get("empty").SetInt(0);
  Profiles.ProfileSlots[2].Get("name").SetString("^Zed ");
  SaveProfiles();
  EnterMainMenu();
  EXPECT_EQ(Profiles.CurrentProfile, 2);
  EXPECT_EQ(Options.lastProfile, 2);
  EXPECT_EQ(FindLabel("lbl").text, "Hello, ^Zed !");

  Options.lastProfile = 1;  // a free slot, as a cancelled naming leaves it
  EnterMainMenu();
  EXPECT_EQ(Profiles.CurrentProfile, 2);
}

}  // namespace
}  // namespace uitest
