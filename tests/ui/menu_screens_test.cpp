// The menu screens on the layouts the game ships: the flows between them and
// what each button does.
#include <cstring>
#include <vector>

#include "platform/dsound/dsound.h"
#include "platform/files.h"
#include "platform/test_hooks.h"
#include "render/texture_cache.h"
#include "ui_fixture.h"

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

TEST_F(MenuTest, FirstRunNamesSlotZeroAndGreetsThePlayer) {
  InstallSettings(-1);
  SetModeActive("game", 1);
  EnterMainMenu();
  EXPECT_FALSE(Active("game"));
  EXPECT_TRUE(Active("menu"));
  EXPECT_FALSE(IsPlaceholder(FindEdit("name"))) << "the enter-name screen";
  ButtonWidget& cancel = FindButton("cancel");
  EXPECT_EQ(cancel.visible, 0) << "no profile to go back to";
  EXPECT_EQ(cancel.timer.start, -1);
  EXPECT_EQ(CurrentProfile, 0);

  PressEnter();
  EXPECT_FALSE(IsPlaceholder(FindEdit("name"))) << "nothing typed: the screen stays";
  for (char c : std::string("Maya Lee")) Type(c);
  PressEnter();

  EXPECT_FALSE(IsPlaceholder(FindButton("play"))) << "the main menu";
  EXPECT_EQ(lastprofile, 0);
  EXPECT_STREQ(ProfileSlots[0].Get("name").AsString(), "^Maya Lee ");
  EXPECT_EQ(ProfileSlots[0].Get("empty").AsInt(), 0);
  EXPECT_NE(Read("data/profile0.s").find("  name ^Maya_Lee_\n"), std::string::npos);
  EXPECT_NE(Read("bin/default.cfg").find("lastprofile -1"), std::string::npos) << "naming writes no options";
  EXPECT_EQ(FindLabel("lbl").text, "Hello, ^Maya Lee !");
  EXPECT_EQ(FindButton("rewards").visible, 0) << "nothing won yet";
  EXPECT_EQ(FindButton("rewards").timer.start, -1) << "gone before it ever showed";
}

TEST_F(MenuTest, RewardsButtonShowsOnceALevelIsWon) {
  InstallSettings(0);
  MakeProfile("^Bo ", 2);
  EnterMainMenu();
  EXPECT_TRUE(Showing(FindButton("rewards")));
  EXPECT_EQ(FindButton("rewards").onAction, ShowRewards);
  EXPECT_EQ(FindButton("profiles").onAction, ShowProfileManager);
  EXPECT_EQ(FindButton("options").onAction, ShowOptions);
  EXPECT_EQ(FindButton("exit").onAction, ShowCredits);
  EXPECT_EQ(FindButton("play").onHoverEnter, nullptr) << "the main menu's buttons are silent on hover";
}

TEST_F(MenuTest, PlayOpensTheWorldMapFromTheMenu) {
  InstallSettings(0);
  MakeProfile("^Bo ", 1);
  ScreenLinks.showWorldMap = [](int immediate) { Calls.push_back("map " + std::to_string(immediate)); };
  ScreenLinks.placeMenuBee = [] { Calls.push_back("bee"); };
  mapShown = 1;
  EnterMainMenu();
  EXPECT_EQ(mapShown, 0);
  Press("play");
  EXPECT_EQ(Calls, (std::vector<std::string>{"bee", "map 0"}));
}

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

TEST_F(MenuTest, ProfileManagerWiresUsedAndFreeSlots) {
  InstallSettings(0);
  MakeProfile("^Bo ", 4);
  ScreenLinks.showProfileStats = [](int slot) { Calls.push_back("stats " + std::to_string(slot)); };
  EnterMainMenu();
  Press("profiles");
  EXPECT_EQ(FindImage("m1").fadeOut, 1) << "the cover dissolves";
  EXPECT_EQ(FindButton("profile0").text, "^Bo ");
  EXPECT_EQ(FindButton("profile1").text, "empty");
  EXPECT_TRUE(Showing(FindButton("del0")));
  EXPECT_EQ(FindButton("del1").visible, 0);
  EXPECT_EQ(FindButton("del2").timer.start, -1);
  for (const char* name : {"w1a", "w1b1", "w1b2", "k_1", "k_9", "m_5"}) EXPECT_EQ(FindImage(name).visible, 0) << name;
  for (const char* name : {"score", "levels", "rewards", "complete", "s_text", "c_text"})
    EXPECT_EQ(FindLabel(name).visible, 0) << name;

  // The pointer over a used slot shows its statistics; leaving fades them.
  Advance(3000);
  PointAtWidget(FindButton("profile0"));
  Frame();
  EXPECT_EQ(Calls, std::vector<std::string>{"stats 0"});
  for (const char* name : {"w1a", "k_3", "k_4"}) FadeIn(FindImage(name));
  Advance(100);
  PointAt(1.99f, 1.49f);
  Frame();
  EXPECT_EQ(FindImage("w1a").fadeOut, 1);
  EXPECT_EQ(FindLabel("s_text").fadeOut, 0) << "what was not shown stays hidden";
  EXPECT_EQ(FindImage("k_3").fadeOut, 1) << "levels 1 .. opened_maps - 1";
  EXPECT_EQ(FindImage("k_4").fadeOut, 0);

  // A free slot asks for a name and has nothing to show on hover.
  PointAtWidget(FindButton("profile1"));
  Frame();
  EXPECT_EQ(Calls.size(), 1u);
  Press("profile1");
  EXPECT_FALSE(IsPlaceholder(FindEdit("name")));
  EXPECT_EQ(CurrentProfile, 1);
  EXPECT_EQ(lastprofile, 1);
  Press("cancel");
  EXPECT_FALSE(IsPlaceholder(FindButton("profile0"))) << "back to the profiles";
  Press("profile0");
  EXPECT_EQ(lastprofile, 0);
  EXPECT_FALSE(IsPlaceholder(FindButton("play")));
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

TEST_F(MenuTest, OptionsMarksFollowTheChoices) {
  InstallSettings(0);
  ResolutionChoice = 1;
  ShowOptions();
  MenuModeDraw();
  EXPECT_FLOAT_EQ(FindImage("tick").y, 0.528f);
  EXPECT_EQ(FindImage("tick2").visible, 1) << "windowed";
  EXPECT_EQ(FindImage("tick2").timer.start, -1);
  Press("res3");
  Press("winmode");
  MenuModeDraw();
  EXPECT_FLOAT_EQ(FindImage("tick").y, 0.72f);
  EXPECT_EQ(FindImage("tick2").visible, 0);
  ResolutionSelection = 0;
  MenuModeDraw();
  EXPECT_FLOAT_EQ(FindImage("tick").y, 0.72f) << "no choice leaves the mark";
  MenuPage = PageMainMenu;
  foolscreen = 0;
  MenuModeDraw();
  EXPECT_EQ(FindImage("tick2").visible, 0) << "only the options page is kept up to date";
}

void RecordQuit() { Calls.push_back("quit"); }

TEST_F(MenuTest, CreditsSaveTheOptionsAndQuit) {
  InstallSettings(0);
  MakeProfile("^Bo ", 1);
  OptionsQuitHooks.requestQuit = RecordQuit;
  EnterMainMenu();
  ResolutionChoice = 3;
  Press("exit");
  EXPECT_EQ(MenuPage, PageCredits);
  EXPECT_TRUE(Calls.empty());
  Press("back");
  EXPECT_EQ(Calls, std::vector<std::string>{"quit"});
  EXPECT_NE(Read("bin/default.cfg").find("res_width 1024"), std::string::npos);
}

TEST_F(MenuTest, RewardsScreenShowsWhatTheProfileHolds) {
  InstallSettings(0);
  MakeProfile("^Bo ", 6);
  ProfileSlots[0].Get("explorer2").SetInt(1);
  ProfileSlots[0].Get("explorer5").SetInt(1);
  ProfileSlots[0].Get("champion").SetInt(1);
  SaveProfiles();
  EnterMainMenu();
  Press("rewards");
  EXPECT_TRUE(Showing(FindImage("explorer")));
  EXPECT_TRUE(Showing(FindLabel("exp")));
  EXPECT_EQ(FindLabel("exp").text, "x 2");
  EXPECT_TRUE(Showing(FindImage("champ")));
  for (const char* name : {"sapper", "explorer_pro", "sapper_pro", "beginner"}) {
    EXPECT_EQ(FindImage(name).visible, 0) << name;
    EXPECT_EQ(FindImage(name).timer.start, -1) << name << " never flashes up";
  }
  EXPECT_EQ(FindLabel("sap").visible, 0);
  Press("back");
  EXPECT_FALSE(IsPlaceholder(FindButton("play")));
}

TEST_F(MenuTest, InGameMenuOpensOverTheRoundWithTheVolume) {
  Write("data/camera.s", "button {\n  name ingame\n  x 1.8\n  y 0.0\n  width 0.2\n  height 0.2\n}\n");
  ScreenLinks.showPlayScreen = [] { Calls.push_back("play screen"); };
  ScreenLinks.replayLevel = [] { Calls.push_back("replay"); };
  LoadLayout("camera");
  VolumeLevel = 4;
  ShowInGameMenu();
  EXPECT_EQ(Play.modalState, 2);
  EXPECT_EQ(WidgetList[0]->name, "ingame") << "the round's widgets stay, under the menu";
  for (int step = 1; step <= 9; ++step) {
    Widget& light = FindWidget("vol_imame_" + std::to_string(step));
    EXPECT_EQ(Showing(light), step <= 4) << step;
  }
  Press("vol_button_9");
  EXPECT_EQ(VolumeLevel, 9);
  for (int step = 1; step <= 9; ++step) EXPECT_TRUE(Showing(FindWidget("vol_imame_" + std::to_string(step))));
  Press("vol_button_2");
  EXPECT_EQ(FindWidget("vol_imame_3").fadeOut, 1) << "lit steps fade out";
  EXPECT_EQ(FindWidget("vol_imame_1").timer.start, FindWidget("vol_imame_2").timer.start);

  Press("ingame");
  Press("back");
  Press("res_level");
  EXPECT_EQ(Calls, (std::vector<std::string>{"play screen", "play screen", "replay"}));
  EXPECT_EQ(FindButton("go_to_main").onAction, EnterMainMenu);
}

TEST_F(MenuTest, SetVolumeSetsTheGainOfEveryEffect) {
#ifdef _WIN32
  GTEST_SKIP() << "the system's DirectSound has no loopback device to measure";
#endif
  // A canonical WAV with a few silent samples for each of the ten effects.
  std::string wave("RIFF\x2C\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x88\x58\x01\0\x10\xB1\x02\0\x02\0\x10\0data\x08\0\0\0",
                   44);
  wave += std::string(8, '\0');
  for (const char* file : EffectFiles) Write(NativePath(file), wave);
  ChooseSoundDeviceForTests(SoundDeviceChoice::Loopback, 1);
  StartSound(nullptr);
  ASSERT_EQ(Sound.ready, 1);
  for (int level : {9, 1, 4}) {
    SetVolume(level);
    EXPECT_EQ(VolumeLevel, level);
    for (const SoundEffect& effect : Effects) {
      int32_t volume = 1;
      ASSERT_EQ(effect.loaded, 1);
      effect.buffer->GetVolume(&volume);
      EXPECT_EQ(volume, -(9 - level) * 300) << level;
    }
  }
  StopSound();
  ChooseSoundDeviceForTests(SoundDeviceChoice::Default);
}

TEST_F(MenuTest, InterfaceTexturesLoadIn22ListsWithThreeLoadingFrames) {
  static std::vector<int> namesAtFrame;
  namesAtFrame.clear();
  LoadInterfaceTextures([] { namesAtFrame.push_back(Textures.names.count); });
  EXPECT_EQ(Textures.names.count, 129);
  EXPECT_EQ(namesAtFrame, (std::vector<int>{30, 52, 101}));
  EXPECT_GE(Textures.names.indexOf("vopros"), 0) << "the list without a blank after the comma";
  EXPECT_EQ(Textures.names.indexOf("menu"), -1) << "registered by start-up before";
  Textures.release();
  Textures.releaseNames();
}

}  // namespace
}  // namespace uitest
