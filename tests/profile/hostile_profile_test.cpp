// Profile files holding what no save ever wrote: the game reads them, shows
// them and grants nothing from garbage.
#include "screens/rewards.h"
#include "support/interface.h"

namespace {

using uitest::UiTest;

class HostileProfile : public UiTest {
 public:
  void SetUp() override {
    UiTest::SetUp();
    InstallShippedData();
    InstallSettings(0);
  }
};

// Two sapper flags spelled as words: as integers their bits are near
// 2^31 each, and added up they overflowed.
TEST_F(HostileProfile, FlagsWrittenAsTextCountOnceEach) {
  Write("data/profile0.s", "r sapper6 mpsa sapper4 spsa");
  LoadProfiles();
  CurrentProfile = 0;
  Play.levelNumber = 2;
  GrantRewards();
  EXPECT_EQ(ProfileSlots[0].Get("supersapper").AsInt(), 0) << "two flags are not seven";

  std::string seven = "p {";
  for (int level = 1; level <= 7; ++level) seven += " sapper" + std::to_string(level) + " 2147483647";
  Write("data/profile0.s", seven + " supersapper 0 }");
  LoadProfiles();
  GrantRewards();
  EXPECT_EQ(ProfileSlots[0].Get("supersapper").AsInt(), 1) << "seven levels with the flag set";
}

}  // namespace
