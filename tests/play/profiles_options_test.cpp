// Profiles and options from the menus: three players named, one player's
// statistics on hover, the current player deleted; the options' notice, and
// the settings file written only by a save and by leaving the program.
#include <gtest/gtest.h>

#include <string>

#include "core/options.h"
#include "flow_support.h"
#include "platform/window.h"
#include "play_harness.h"
#include "profile/profiles.h"
#include "ui/widget_list.h"

using namespace play;

namespace {
void NameProfile(const std::string& name) {
  ASSERT_TRUE(FramesUntil([] { return HasWidget("name"); }, 20));
  Type(name);
  ClickWidget("ok");
  ASSERT_TRUE(WaitForMainMenu());
}

void AddProfile(const std::string& slotButton, const std::string& name) {
  ClickWidget("profiles");
  ClickWidget(slotButton);
  EXPECT_TRUE(FramesUntil([] { return WidgetShown("cancel"); }, 100));
  NameProfile(name);
}

std::string Settings() { return GameFileText("bin/default.cfg"); }
}  // namespace

TEST(ProfilesAndOptions, ThreePlayersTheirStatisticsADeletionAndTheOptionsNotice) {
  std::string namedSettings, settingsAfterDelete;
  RunGame("profiles_options", [&] {
    ASSERT_TRUE(FramesUntil([] { return HasWidget("name"); }, 60));
    NameProfile("Anna");
    AddProfile("profile1", "Ben");
    AddProfile("profile2", "Cleo");
    EXPECT_EQ(FindLabel("lbl").text, "Hello, ^Cleo !");
    EXPECT_EQ(Options.lastProfile, 2);
    // Naming a player writes the profiles and the settings: a game ended
    // without its exit (a closed browser tab) greets the player next time.
    EXPECT_EQ(ReadGameFile("data/profile1.s").Get("empty").AsInt(), 0);
    namedSettings = Settings();
    EXPECT_NE(namedSettings.find("lastprofile 2\n"), std::string::npos) << namedSettings;

    // The same resolution and window mode go straight back; a new window
    // mode brings the notice, and the settings file stays as it was.
    ClickWidget("options");
    ClickWidget("res2");
    ClickWidget("apply");
    EXPECT_TRUE(HasWidget("lbl"));
    ClickWidget("options");
    ClickWidget("winmode");
    EXPECT_EQ(Options.fullScreen, 1);
    ClickWidget("apply");
    EXPECT_TRUE(HasWidget("line1"));
    WaitMilliseconds(1200);
    Screenshot("01_options_notice");
    EXPECT_EQ(Settings(), namedSettings);
    ClickWidget("ok");
    ASSERT_TRUE(WaitForMainMenu());

    // Hovering a player shows the statistics; moving off hides them.
    ClickWidget("profiles");
    ASSERT_TRUE(FramesUntil([] { return WidgetShown("profile0"); }, 100));
    EXPECT_EQ(FindButton("profile0").text, "^Anna ");
    EXPECT_FALSE(FindWidget("w1a").visible);
    MoveToWidget(FindWidget("profile0"));
    EXPECT_TRUE(FramesUntil([] { return WidgetShown("w1a") && WidgetShown("s_text"); }, 100));
    EXPECT_EQ(FindLabel("s_text").text, "0");
    EXPECT_FALSE(FindWidget("k_1").visible);  // no level finished yet
    Screenshot("02_statistics");
    MoveTo(1.0f, 0.05f);
    Frames(2);
    EXPECT_FALSE(FindWidget("w1a").visible);

    // Deleting the current player frees the slot and saves the settings,
    // with the new window mode; "lastprofile" stays while others remain.
    ClickWidget("del2");
    EXPECT_EQ(ReadGameFile("data/profile2.s").Get("empty").AsInt(), 1);
    settingsAfterDelete = Settings();
    const ConfigNode saved = ReadGameFile("bin/default.cfg");
    EXPECT_EQ(saved.Get("foolscreen").AsInt(), 1);
    EXPECT_EQ(saved.Get("lastprofile").AsInt(), 2);
    EXPECT_EQ(saved.Get("res_width").AsInt(), 800);
    ASSERT_TRUE(FramesUntil([] { return WidgetShown("profile2"); }, 100));
    EXPECT_EQ(FindButton("profile2").text, "empty");
    EXPECT_FALSE(FindWidget("del2").visible);
    EXPECT_TRUE(FindWidget("del1").visible);
    Screenshot("03_after_delete");

    ClickWidget("profile1");
    ASSERT_TRUE(WaitForMainMenu());
    EXPECT_EQ(FindLabel("lbl").text, "Hello, ^Ben !");

    // A new resolution is written only on the way out.
    ClickWidget("options");
    ClickWidget("res1");
    ClickWidget("apply");
    EXPECT_TRUE(HasWidget("line1"));
    ClickWidget("ok");
    ASSERT_TRUE(WaitForMainMenu());
    EXPECT_EQ(Settings(), settingsAfterDelete);
    ClickWidget("exit");
    ClickWidget("back");
    Frames(2);
  });
  const ConfigNode settings = ReadGameFile("bin/default.cfg");
  EXPECT_EQ(settings.Get("res_width").AsInt(), 640);
  EXPECT_EQ(settings.Get("res_height").AsInt(), 480);
  EXPECT_EQ(settings.Get("foolscreen").AsInt(), 1);
  EXPECT_EQ(settings.Get("lastprofile").AsInt(), 1);
  EXPECT_EQ(ReadGameFile("data/profile0.s").Get("name").AsString(), std::string("^Anna_"));
  EXPECT_EQ(ReadGameFile("data/profile1.s").Get("name").AsString(), std::string("^Ben_"));
}
