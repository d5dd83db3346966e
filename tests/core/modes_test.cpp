#include "core/modes.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string calls;
void UpdateB() { calls += "uB "; }
void DrawB() { calls += "dB "; }
void SwitchBOff() {
  calls += "uOff ";
  SetModeActive("b", 0);
}

class ModesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearModes();
    calls.clear();
  }
  void TearDown() override { ClearModes(); }
};
}  // namespace

TEST_F(ModesTest, ModeSwitchedOffEarlierInThePassIsNeitherUpdatedNorDrawn) {
  RegisterMode("off", SwitchBOff, nullptr);
  RegisterMode("b", UpdateB, DrawB);
  UpdateModes();
  DrawModes();
  EXPECT_EQ(calls, "uOff ");
}
