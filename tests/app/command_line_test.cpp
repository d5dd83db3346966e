#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A mistake shows itself and the usage (in a message box where there is no
// console) and ends with code 2; a right command line plays.
TEST(CommandLineTest, MistakesShowTheUsageAndEndWithCodeTwo) {
  const std::pair<std::vector<const char*>, const char*> cases[] = {
      {{"kestrin", "--bogus"}, "unknown argument '--bogus'"},
      {{"kestrin", "--record"}, "--record needs a FILE"},
      {{"kestrin", "--fast"}, "--fast goes with --replay"},
      {{"kestrin", "--replay", "a.journal", "--fast"}, nullptr},
  };
  for (const auto& [argv, mistake] : cases) {
    ::testing::internal::CaptureStderr();
    const int code = AnswerCommandLine(ParseCommandLine(int(argv.size()), argv.data()), "1.0");
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, mistake ? 2 : -1) << argv[1];
    if (mistake) {
      EXPECT_NE(said.find(std::string(mistake) + "\n\nUsage: kestrin"), std::string::npos) << said;
    }
  }
}
