// The results screen and the world map drawn headless with the generated
// textures and fonts: the medal and its sparkles, the opened islands, the
// newest stretch of path drawn over time. Screenshots go to screens/ in the
// build folder for a person to look at.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/mouse.h"
#include "game/play_state.h"
#include "platform/png_image.h"
#include "platform/test_hooks.h"
#include "platform/time.h"
#include "profile/profiles.h"
#include "render/particles.h"
#include "screens/results_screen.h"
#include "screens/world_map.h"
#include "support/gl.h"
#include "ui/interface_textures.h"
#include "ui/layout_loader.h"
#include "ui/screen_wiring.h"
#include "ui/widget_list.h"



namespace {

namespace fs = std::filesystem;

class ScreensRender : public GameDeviceTest {
 protected:
  void SetUp() override {
    GameDeviceTest::SetUp();
    SetClockSource(TestClock);
    SetTestClock(50000);
  }

  void TearDown() override {
    ClearWidgets();
    stopMedalSparkles();
    GameDeviceTest::TearDown();
    SetClockSource(nullptr);
  }

  // The generated game folder with the layouts of the source tree; false
  // when the content has not been generated.
  static bool InstallContent() {
    const fs::path game = KESTRIN_GAME_DIR;
    if (!fs::exists(game / "textures" / "game_map.png") || !fs::exists(game / "data" / "lightfont.s")) return false;
    fs::create_directory_symlink(game / "textures", "textures");
    fs::copy(game / "bin", "bin", fs::copy_options::recursive);
    fs::copy(game / "data", "data", fs::copy_options::recursive);
    testfiles::CopySourceContent("data");
    return true;
  }

  bool Start() {
    if (!StartDevice(kScreenWidth, kScreenHeight, true)) return false;
    LoadDefaultFont();
    LoadLightFont();
    LoadInterfaceTextures(nullptr);
    configureMedalParticles();
    for (ConfigNode& slot : Profiles.ProfileSlots) slot = FreshProfile();
    Profiles.CurrentProfile = 0;
    Mouse = MouseState{};
    Mouse.clientWidth = kScreenWidth;
    Mouse.clientHeight = kScreenHeight;
    return true;
  }

  // Frames of 16 ms: the widgets' and the sparkles' updates.
  static void Run(uint32_t ms) {
    for (uint32_t t = 0; t < ms; t += 16) {
      AdvanceTestClock(16);
      UpdateWidgetList();
      Particles.MedalParticles.update();
    }
  }

  // The interface pass of a frame, as the frame loop draws it; `under` draws
  // first, as a mode's draw callback would.
  std::vector<uint32_t> Draw(const std::string& screenshot, void (*under)() = nullptr) {
    BeginInterface(0xFF000000);
    if (under) under();
    EnterInterfacePass(false);
    DrawWidgetList();
    Particles.MedalParticles.draw();
    std::vector<uint32_t> pixels = Finish();
    const fs::path screens = fs::path(KESTRIN_BINARY_DIR) / "screens";
    fs::create_directories(screens);
    SavePng((screens / (screenshot + ".png")).string(), ArgbImage{kScreenWidth, kScreenHeight, pixels});
    return pixels;
  }

  static uint32_t At(const std::vector<uint32_t>& pixels, float x, float y) {
    return pixels[size_t(y * kPixelsPerUnit) * kScreenWidth + size_t(x * kPixelsPerUnit)];
  }
  static uint32_t CentreOf(const std::vector<uint32_t>& pixels, const Widget& widget) {
    return At(pixels, widget.x + widget.width / 2, widget.y + widget.height / 2);
  }
  static bool Water(uint32_t p) { return Blue(p) > 150 && Blue(p) > Red(p) + 60; }

};

#define START_SCREENS_OR_SKIP()                                                                         \
  if (!InstallContent()) GTEST_SKIP() << "the content has not been generated into " KESTRIN_GAME_DIR; \
  if (!Start()) GTEST_SKIP() << "no OpenGL here"

TEST_F(ScreensRender, TheWinScreenShowsAGoldMedalWithSparklesOverIt) {
  START_SCREENS_OR_SKIP();
  Play = PlayState{};
  Play.levelNumber = 3;
  Play.levelScore = 1600000;
  showWinScreen();
  const ImageWidget& medal = FindImage("medal");
  auto early = Draw("win_screen_start");
  EXPECT_EQ(Red(CentreOf(early, medal)), 0);  // nothing yet over the black

  Run(2400);
  // As the round's update writes them once they have counted up.
  FindLabel("nlevel").text = "01600000";
  FindLabel("ntotal").text = "01600000";
  auto shown = Draw("win_screen");
  int golden = 0;
  for (float y = medal.y; y < medal.y + medal.height; y += 1 / kPixelsPerUnit)
    for (float x = medal.x; x < medal.x + medal.width; x += 1 / kPixelsPerUnit) {
      const uint32_t p = At(shown, x, y);
      golden += Red(p) > 200 && Green(p) > 150 && Blue(p) < 100;
    }
  EXPECT_GT(golden, 1000);
  int sparkles = 0;
  for (const FlatParticle& particle : Particles.MedalParticles.particles) sparkles += particle.alive;
  EXPECT_GT(sparkles, 0);
}

TEST_F(ScreensRender, TheMapShowsOpenedIslandsAndDrawsTheNewestStretchOverTime) {
  START_SCREENS_OR_SKIP();
  CurrentProfileNode().Get("opened_maps").SetInt(4);
  CurrentProfileNode().Get("reward1").SetInt(2);
  CurrentProfileNode().Get("reward2").SetInt(1);
  showWorldMap(1);
  Run(400);
  auto start = Draw("world_map_start");
  const Widget& last = FindImage(NumberedName("point", newestStretch(4).last));
  EXPECT_TRUE(Water(CentreOf(start, last)));

  Run(2500);
  auto pixels = Draw("world_map");
  const uint32_t dot = CentreOf(pixels, last);
  EXPECT_GT(Red(dot), 200);
  EXPECT_GT(Green(dot), 200);
  EXPECT_FALSE(Water(CentreOf(pixels, FindImage("isle4"))));
  EXPECT_TRUE(Water(CentreOf(pixels, FindImage("isle5"))));
  EXPECT_TRUE(Water(CentreOf(pixels, FindButton("k_9"))));
  // The newest island's button shows the play sign, orange.
  const ButtonWidget& button = FindButton("k_4");
  const uint32_t newest = At(pixels, button.x + button.width * 0.2f, button.y + button.height / 2);
  EXPECT_GT(Red(newest), 200);
  EXPECT_LT(Blue(newest), 150);
}

// The briefings of the training and the losing screen: the texts stay on
// their panels, above the buttons.
TEST_F(ScreensRender, TextsStayOnTheirPanelsAboveTheButtons) {
  START_SCREENS_OR_SKIP();
  for (const char* layout : {"briefStart", "brief0", "brief1", "brief2", "brief3", "brief_molot", "brief_binocl",
                             "brief_use", "briefFinish", "stat_lose", "stat"}) {
    ClearWidgets();
    LoadLayout(layout);
    Run(2500);
    Draw(std::string("layout_") + layout);

    const Widget& panel = FindImage("panel");
    ASSERT_FALSE(IsPlaceholder(panel)) << layout;
    float buttonsTop = 1.5f;
    for (auto& widget : WidgetList) {
      if (widget->kind == KindButton) buttonsTop = std::min(buttonsTop, widget->y);
      if (widget->kind != KindLabel) HideAtOnce(*widget);
    }
    auto pixels = Draw(std::string("layout_") + layout + "_texts");
    int left = kScreenWidth, right = -1, bottom = -1;
    for (int y = 0; y < kScreenHeight; ++y)
      for (int x = 0; x < kScreenWidth; ++x)
        if (Red(pixels[size_t(y) * kScreenWidth + x]) + Green(pixels[size_t(y) * kScreenWidth + x]) > 60) {
          left = std::min(left, x);
          right = std::max(right, x);
          bottom = std::max(bottom, y);
        }
    ASSERT_GE(right, 0) << layout << ": no text drawn";
    EXPECT_GE(left, panel.x * kPixelsPerUnit) << layout;
    EXPECT_LE(right, (panel.x + panel.width) * kPixelsPerUnit) << layout;
    EXPECT_LT(bottom, buttonsTop * kPixelsPerUnit) << layout;
  }
}

}  // namespace
