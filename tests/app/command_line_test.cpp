#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A mistake shows itself and the usage (in a message box where there is no
// console) and ends with code 2; a right command line plays.
TEST(CommandLineTest, MistakesShowTheUsageAndEndWithCodeTwo) {
  const struct {
    std::vector<const char*> argv;
    int code;
    const char* said;
  } cases[] = {
      {{"kestrin", "--bogus"}, 2, "unknown argument '--bogus'"},
      {{"kestrin", "--record"}, 2, "--record needs a FILE"},
      {{"kestrin", "--fast"}, 2, "--fast goes with --replay"},
      {{"kestrin", "--replay", "a.journal", "--fast"}, -1, ""},
  };
  for (const auto& c : cases) {
    ::testing::internal::CaptureStderr();
    const int code = AnswerCommandLine(ParseCommandLine(int(c.argv.size()), c.argv.data()), "1.0");
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, c.code) << c.argv[1];
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    EXPECT_EQ(said.find("Usage: kestrin") != std::string::npos, code == 2) << said;
  }
}
