#include "core/options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/test_hooks.h"
#include "platform/files.h"
#include "support/files.h"

namespace {

std::string SettingsText() {
  std::vector<unsigned char> bytes;
  ReadWholeFile("bin/default.cfg", bytes);
  return std::string(bytes.begin(), bytes.end());
}

// Runs in a fresh folder so that "bin\default.cfg" is the test's own file.
class SettingsFile : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories("bin");
    ResetCoreForTests();
    for (int32_t* option : {&Options.width, &Options.height, &Options.showFps, &Options.multisample,
                            &Options.anisotropic, &Options.fullScreen, &Options.lastProfile})
      *option = 12345;
  }

  void LoadFrom(const std::string& text) {
    dir.Write("bin/default.cfg", text);
    LoadOptions("bin\\default.cfg");
  }

  testfiles::WorkingFolder dir;
};

TEST_F(SettingsFile, AllSevenKeysAreRead) {
  LoadFrom(
      "options { res_width 1024 res_height 768 drawfps 1 multysample 4 anisotropic 1 foolscreen 1 "
      "lastprofile 2 }");
  EXPECT_EQ((std::vector<int32_t>{Options.width, Options.height, Options.showFps, Options.multisample,
                                  Options.anisotropic, Options.fullScreen, Options.lastProfile}),
            (std::vector<int32_t>{1024, 768, 1, 4, 1, 1, 2}));
  ResolutionChoiceFromWidth();
  EXPECT_EQ(Options.ResolutionChoice, 3);
}

TEST_F(SettingsFile, AMissingFileStartsWindowedAtTheBuiltInSize) {
  LoadOptions("bin\\default.cfg");
  EXPECT_EQ(Options.width, 800);
  EXPECT_EQ(Options.height, 600);
  EXPECT_EQ(Options.fullScreen, 0);
  ASSERT_TRUE(WriteOptions());  // the next save writes a whole settings file
  EXPECT_EQ(SettingsText().find("options {\n  res_width 800\n  res_height 600\n  drawfps 0\n"), 0u);
}

TEST_F(SettingsFile, ApplyingAChoiceSetsBothSizes) {
  const struct {
    int32_t choice, width, height;
  } cases[] = {{1, 640, 480}, {2, 800, 600}, {3, 1024, 768}, {0, 1280, 1024}, {7, 1280, 1024}};
  for (const auto& c : cases) {
    Options.width = 1280;
    Options.height = 1024;
    Options.ResolutionChoice = c.choice;
    ApplyResolutionChoice();
    EXPECT_EQ(Options.width, c.width) << c.choice;
    EXPECT_EQ(Options.height, c.height) << c.choice;
  }
}

TEST_F(SettingsFile, WriteOptionsWritesEveryOptionAndKeepsUnknownKeys) {
  LoadFrom("settings {\n  volume 3\n  res_width 800\n  res_height 600\n  res_width 640\n  name bee\n}\n");
  Options.showFps = 1;
  Options.fullScreen = 1;
  Options.width = 1024;
  Options.height = 768;
  ASSERT_TRUE(WriteOptions());
  EXPECT_EQ(SettingsText(),
            "settings {\n  volume 3\n  res_width 1024\n  res_height 768\n  res_width 640\n  name bee\n"
            "  drawfps 1\n  multysample 0\n  anisotropic 0\n  foolscreen 1\n  lastprofile 0\n}\n");
  LoadOptions("bin\\default.cfg");
  EXPECT_EQ(Options.showFps, 1);
  EXPECT_EQ(Options.fullScreen, 1);
}

}  // namespace
