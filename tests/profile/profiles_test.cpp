// The three profile files: names, progress, creating and deleting slots, and
// what is written where.
#include "platform/files.h"
#include "platform/test_hooks.h"
#include "profile/profile_name.h"
#include "support/interface.h"

namespace {

using uitest::UiTest;

class ProfilesTest : public UiTest {
 public:
  void SetUp() override {
    UiTest::SetUp();
    InstallProfiles();
  }

  static void Use(int slot, const char* name) {
    Profiles.ProfileSlots[slot].Get("name").SetString(name);
    Profiles.ProfileSlots[slot].Get("empty").SetInt(0);
  }

  // Names the current slot through the enter-name screen.
  void NameThroughScreen(const std::string& typed) {
    ClearWidgets();
    LoadLayout("enter_name");
    FindEdit("name").onAction = CreateProfile;
    for (char c : typed) Type(c);
    PressEnter();
  }

  int OptionInFile(const char* key) {
    ConfigNode settings;
    settings.Load("bin\\default.cfg");
    return settings.Get(key).AsInt();
  }
};

TEST_F(ProfilesTest, NamesReadBackAsTypedWhateverTheyHold) {
  const std::string names[] = {"^Maya Lee ", "^under_score ", "^back\\slash ", "^{braces} ", "^a}b{c ",
                               "^12345 ", "^tab\there ",  "^\xDE\xEB\xFF\xA0\xA8\xE6 ",       "^__ __ ",    "^\\_ "};
  for (const std::string& name : names) {
    Profiles.ProfileSlots[1].Get("name").SetString(name.c_str());
    ASSERT_TRUE(SaveProfiles());
    ConfigNode file;
    ASSERT_TRUE(file.Load(ProfilePath(1)));
    EXPECT_EQ(file.EntryCount(), FreshProfile().EntryCount()) << "the file still reads as one block: " << name;
    EXPECT_EQ(file.Get("name").type, ValueType::String);
    LoadProfiles();
    std::string expected = name == "^tab\there " ? "^tab here " : name;
    EXPECT_EQ(Profiles.ProfileSlots[1].Get("name").AsString(), expected) << "stored as " << file.Get("name").AsString();
  }
  EXPECT_EQ(NameToFile("^Maya Lee "), "^Maya_Lee_") << "a blank is written as it always was";
  EXPECT_EQ(NameFromFile("^Old_Name_"), "^Old Name ");
  EXPECT_EQ(NameFromFile("trailing\\"), "trailing\\");
}

TEST_F(ProfilesTest, TypedNamesAreStoredWithTheirMarkAndFitTheFile) {
  Profiles.CurrentProfile = 2;
  NameThroughScreen("a_b c");
  EXPECT_EQ(OptionInFile("lastprofile"), 2) << "the next start greets the new profile";
  EXPECT_STREQ(Profiles.ProfileSlots[2].Get("name").AsString(), "^a_b c ");
  EXPECT_NE(Read("data/profile2.s").find("  name ^a\\_b_c_\n"), std::string::npos);
  LoadProfiles();
  EXPECT_STREQ(Profiles.ProfileSlots[2].Get("name").AsString(), "^a_b c ");

  // Sixteen characters that each take two in the file are cut to fit.
  NameThroughScreen(std::string(16, '_'));
  std::string stored = Profiles.ProfileSlots[2].Get("name").AsString();
  EXPECT_LE(NameToFile(stored).size(), StoredNameLimit);
  EXPECT_EQ(stored, "^" + std::string(14, '_') + " ");
  LoadProfiles();
  EXPECT_EQ(Profiles.ProfileSlots[2].Get("name").AsString(), stored);
}

TEST_F(ProfilesTest, ConfirmingANameWithNothingToShowDoesNothing) {
  std::string before = Read("data/profile0.s");
  for (const char* typed : {"", "  ", "^\xA0"}) {
    NameThroughScreen(typed);
    EXPECT_FALSE(IsPlaceholder(FindEdit("name"))) << "still asking for a name";
    EXPECT_EQ(Read("data/profile0.s"), before);
    EXPECT_FALSE(ProfileInUse(0));
  }
}

TEST_F(ProfilesTest, DeletingTheOnlyProfileForgetsTheLastOne) {
  Use(0, "^Bo ");
  Profiles.ProfileSlots[0].Get("score4").SetInt(900);
  Profiles.ProfileSlots[0].Get("champion").SetInt(1);
  Profiles.ProfileSlots[0].Get("opened_maps").SetInt(5);
  SaveProfiles();
  DeleteProfile(0);
  EXPECT_EQ(Options.lastProfile, -1);
  EXPECT_EQ(OptionInFile("lastprofile"), -1);
  ConfigNode file;
  file.Load(ProfilePath(0));
  ConfigNode fresh = FreshProfile();
  ASSERT_EQ(file.EntryCount(), fresh.EntryCount());
  for (size_t i = 0; i < fresh.EntryCount(); ++i)
    EXPECT_EQ(file.entries[i].value.AsInt(), fresh.entries[i].value.AsInt()) << fresh.entries[i].key;
  EXPECT_FALSE(IsPlaceholder(FindButton("profile0"))) << "the profiles screen again";

  EnterMainMenu();
  EXPECT_FALSE(IsPlaceholder(FindEdit("name"))) << "the next main menu asks for a name";
}

TEST_F(ProfilesTest, ProgressRecordsTheFinishedLevelAndOpensTheNext) {
  Use(0, "^Bo ");
  Profiles.ProfileSlots[0].Get("opened_maps").SetInt(3);
  Play.levelNumber = 4;  // level 3 was just finished
  Play.levelScore = 5000;
  Play.medal = 1;
  SaveProgress();
  LoadProfiles();
  ConfigNode& profile = Profiles.ProfileSlots[0];
  EXPECT_EQ(profile.Get("score3").AsInt(), 5000);
  EXPECT_EQ(profile.Get("reward3").AsInt(), 1);
  EXPECT_EQ(profile.Get("opened_maps").AsInt(), 4);
  EXPECT_EQ(OptionInFile("lastprofile"), 0);

  // Again with a lower score, on a profile that has gone further.
  profile.Get("opened_maps").SetInt(6);
  Play.levelScore = 10;
  Play.medal = 0;
  SaveProgress();
  LoadProfiles();
  EXPECT_EQ(profile.Get("score3").AsInt(), 10) << "the latest result, not the best";
  EXPECT_EQ(profile.Get("reward3").AsInt(), 0);
  EXPECT_EQ(profile.Get("opened_maps").AsInt(), 6) << "never lowered";

  // Level numbers outside the nine change only what exists.
  Play.levelNumber = 11;
  SaveProgress();
  LoadProfiles();
  EXPECT_EQ(profile.Get("opened_maps").AsInt(), 11);
  EXPECT_EQ(profile.EntryCount(), FreshProfile().EntryCount()) << "no key is added";
}

}  // namespace
