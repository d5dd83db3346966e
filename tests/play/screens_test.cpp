// The three kinds of screen, photographed at the same frames on every
// platform: the Windows build's Direct3D 9 pictures are compared with these.
#include <gtest/gtest.h>

#include <vector>

#include "core/graphics_device.h"
#include "flow_support.h"
#include "platform/test_hooks.h"
#include "play_harness.h"

using namespace play;

#ifdef _WIN32
namespace {
// Switching away from full screen and back loses the device (the OpenGL one
// never is): once reset, the round goes on showing what it showed, here
// with the clock standing still; only the bee's wings stir, as they do from
// any frame to the next (about 1% of the pixels).
void ExpectTheSamePictureAfterADeviceReset() {
  SetFrameMilliseconds(0);
  Frames(1);
  std::vector<uint32_t> before, after;
  int width = 0, height = 0;
  OnRenderThread([&] { Device->ReadBackBuffer(&before, &width, &height); });
  d3d9::LoseDeviceForTests();
  Frames(2);
  OnRenderThread([&] {
    EXPECT_EQ(Device->TestCooperativeLevel(), D3D_OK);
    Device->ReadBackBuffer(&after, &width, &height);
  });
  ASSERT_EQ(after.size(), before.size());
  size_t changed = 0;
  for (size_t i = 0; i < after.size(); ++i) changed += before[i] != after[i];
  EXPECT_LT(changed, after.size() / 50);
}
}  // namespace
#endif

TEST(Screens, TheMainMenuTheWorldMapAndARoundAreShown) {
  GameSetup setup;
  setup.settings = SettingsFile(0);
  setup.files["data/profile0.s"] = ProfileFile("Painter", {{"opened_maps", 3}});
  RunGame("screens", [&] {
    ASSERT_TRUE(WaitForMainMenu());
    Screenshot("01_main_menu");
    SetFrameMilliseconds(48);
    ClickWidget("play");
    WaitMilliseconds(800);
    EXPECT_TRUE(WidgetShown("k_3"));
    Screenshot("02_world_map");
    StartLevelSeeded("k_3", 7);
    WaitMilliseconds(1500);
    EXPECT_TRUE(HasWidget("ingame"));
    Screenshot("03_round");
#ifdef _WIN32
    ExpectTheSamePictureAfterADeviceReset();
#endif
  }, setup);
}
