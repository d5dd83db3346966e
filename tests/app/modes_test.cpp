#include <gtest/gtest.h>

#include <string>

#include "core/modes.h"

namespace {
std::string calls;
void UpdateA() { calls += "uA "; }
void UpdateB() { calls += "uB "; }
void DrawA() { calls += "dA "; }
void DrawB() { calls += "dB "; }
void SwitchBOff() {
  calls += "uOff ";
  SetModeActive("b", 0);
}
void SwitchBOn() {
  calls += "uOn ";
  SetModeActive("b", 1);
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

TEST_F(ModesTest, RegisteredModesStartActiveAndRunInOrder) {
  RegisterMode("a", UpdateA, DrawA);
  RegisterMode("b", UpdateB, DrawB);
  UpdateModes();
  DrawModes();
  EXPECT_EQ(calls, "uA uB dA dB ");
}

TEST_F(ModesTest, DuplicateNamesFindTheFirstButBothRun) {
  RegisterMode("a", UpdateA, nullptr);
  RegisterMode("a", UpdateB, nullptr);
  EXPECT_EQ(FindMode("a"), ModeRegistry[0]);
  UpdateModes();
  EXPECT_EQ(calls, "uA uB ");
}

TEST_F(ModesTest, MissingCallbacksAreSkippedAndUnknownNamesChangeNothing) {
  RegisterMode("a", nullptr, nullptr);
  EXPECT_EQ(FindMode("nope"), nullptr);
  SetModeActive("nope", 0);
  UpdateModes();
  DrawModes();
  EXPECT_EQ(calls, "");
  EXPECT_EQ(ModeRegistry[0]->active, 1);
}

TEST_F(ModesTest, ModeSwitchedOffEarlierInThePassIsNeitherUpdatedNorDrawn) {
  RegisterMode("off", SwitchBOff, nullptr);
  RegisterMode("b", UpdateB, DrawB);
  UpdateModes();
  DrawModes();
  EXPECT_EQ(calls, "uOff ");
}

TEST_F(ModesTest, ModeSwitchedOnEarlierInThePassUpdatesInTheSameFrame) {
  RegisterMode("on", SwitchBOn, nullptr);
  RegisterMode("b", UpdateB, DrawB);
  SetModeActive("b", 0);
  UpdateModes();
  DrawModes();
  EXPECT_EQ(calls, "uOn uB dB ");
}

TEST_F(ModesTest, InactiveModesAreSkippedInBothPasses) {
  RegisterMode("a", UpdateA, DrawA);
  FindMode("a")->active = 0;
  UpdateModes();
  DrawModes();
  EXPECT_EQ(calls, "");
}
