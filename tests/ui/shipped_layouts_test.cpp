// The layouts the game ships: every widget the screens look up is there, of
// the kind they look for, and everything they show is something the game
// loads.
#include <map>
#include <vector>

#include "render/texture_cache.h"
#include "support/interface.h"

namespace uitest {
namespace {

struct Expected {
  int32_t kind;
  std::vector<std::string> names;
};

std::vector<std::string> Numbered(const std::string& stem, int first, int last) {
  std::vector<std::string> names;
  for (int n = first; n <= last; ++n) names.push_back(stem + std::to_string(n));
  return names;
}

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// What the screen operations look up, by the layout they look it up in.
// KindPlain means any kind. The in-game menu's "ingame" is the round's own
// button, in the round's layout under the menu.
const std::map<std::string, std::vector<Expected>> kLookups = {
    {"loading", {}},
    {"main_menu",
     {{KindButton, {"rewards", "profiles", "play", "options", "exit"}}, {KindLabel, {"lbl"}}}},
    {"enter_name", {{KindEdit, {"name"}}, {KindButton, {"ok", "cancel"}}}},
    {"profiles_manager",
     {{KindImage, Joined(Joined({"m1", "w1a", "w1b1", "w1b2"}, Numbered("k_", 1, 9)), Numbered("m_", 1, 9))},
      {KindButton, {"profile0", "profile1", "profile2", "del0", "del1", "del2"}},
      {KindLabel, {"score", "levels", "rewards", "complete", "s_text", "c_text"}}}},
    {"options",
     {{KindImage, {"m1", "tick"}},
      {KindButton, {"back", "apply", "res1", "res2", "res3", "winmode"}},
      {KindPlain, {"tick2"}}}},
    {"op_change", {{KindButton, {"ok"}}}},
    {"credits", {{KindButton, {"back"}}}},
    {"rewards",
     {{KindImage, {"explorer", "sapper", "explorer_pro", "sapper_pro", "beginner", "champ"}},
      {KindLabel, {"exp", "sap"}},
      {KindButton, {"back"}}}},
    {"ingamemenu",
     {{KindButton, Joined({"back", "res_level", "go_to_main"}, Numbered("vol_button_", 1, 9))},
      {KindPlain, Numbered("vol_imame_", 1, 9)}}},
};

class ShippedLayoutsTest : public UiTest {
 public:
  void SetUp() override {
    UiTest::SetUp();
    InstallShippedData();
    LoadInterfaceTextures(nullptr);
  }
  void TearDown() override {
    Textures.release();
    Textures.releaseNames();
    UiTest::TearDown();
  }
};

Widget* FindOfKind(const std::string& name, int32_t kind) {
  Widget& found = kind == KindImage    ? FindImage(name)
                  : kind == KindButton ? FindButton(name)
                  : kind == KindEdit   ? FindEdit(name)
                  : kind == KindLabel  ? FindLabel(name)
                                       : FindWidget(name);
  return IsPlaceholder(found) ? nullptr : &found;
}

TEST_F(ShippedLayoutsTest, EveryLookedUpNameIsThereWithItsKind) {
  for (const auto& [layout, lookups] : kLookups) {
    ClearWidgets();
    testing::internal::CaptureStdout();
    LoadLayout(layout);
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(WidgetList.empty()) << layout;
    for (const Expected& expected : lookups)
      for (const std::string& name : expected.names)
        EXPECT_NE(FindOfKind(name, expected.kind), nullptr) << layout << ": " << name;
  }
}

TEST_F(ShippedLayoutsTest, ProfilesShipFreeWithEveryKey) {
  LoadProfiles();
  for (int slot = 0; slot < ProfileCount; ++slot) {
    ConfigNode installed;
    ASSERT_TRUE(installed.Load(ProfilePath(slot)));
    ConfigNode fresh = FreshProfile();
    ASSERT_EQ(installed.EntryCount(), fresh.EntryCount());
    for (size_t i = 0; i < fresh.EntryCount(); ++i) {
      EXPECT_STREQ(installed.entries[i].key, fresh.entries[i].key);
      EXPECT_EQ(installed.entries[i].value.type, fresh.entries[i].value.type) << installed.entries[i].key;
      EXPECT_STREQ(installed.entries[i].value.AsString(), fresh.entries[i].value.AsString());
    }
    EXPECT_FALSE(ProfileInUse(slot));
  }
}

}  // namespace
}  // namespace uitest
