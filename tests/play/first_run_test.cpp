#include <gtest/gtest.h>

#include "app/engine.h"
#include "flow_support.h"
#include "play_harness.h"
#include "platform/window.h"
#include "textfile/config_node.h"

using namespace play;

TEST(FirstRun, NamingAProfileGreetsThePlayerAndLeavingThroughTheCreditsSavesTheSettings) {
  std::string greeting;
  bool cancelShown = true, nameFieldThere = false;
  RunGame("first_run", [&] {
    WaitMilliseconds(1000);
    nameFieldThere = HasWidget("name");
    cancelShown = WidgetShown("cancel");
    Screenshot("01_enter_name");
    Type("Busy Bee 42");  // eleven characters between two frames
    Screenshot("02_name_typed");
    PressKey(VK_RETURN);
    FramesUntil([] { return HasWidget("lbl"); }, 120);
    WaitMilliseconds(1500);
    greeting = FindLabel("lbl").text;
    Screenshot("03_main_menu");
    ClickWidget("exit");
    WaitMilliseconds(1500);
    Screenshot("04_credits");
    ClickWidget("back");
    Frames(5);
  });
  EXPECT_TRUE(nameFieldThere);
  EXPECT_FALSE(cancelShown);
  EXPECT_EQ(greeting, "Hello, ^Busy Bee 42 !");
  EXPECT_NE(GameFileText("data/profile0.s").find("^Busy_Bee_42_"), std::string::npos);
  ConfigNode settings;
  ASSERT_TRUE(settings.Load(GameFolder() + "/bin/default.cfg"));
  EXPECT_EQ(settings.Get("lastprofile").AsInt(), 0);
  EXPECT_EQ(settings.Get("res_width").AsInt(), 800);
  EXPECT_EQ(QuitRequested, 1);
}
