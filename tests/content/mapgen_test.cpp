#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/files.h"
#include "support/files.h"

#ifdef KESTRIN_CONTENT_COPIED
constexpr bool kShippedByThisBuild = false;
#else
constexpr bool kShippedByThisBuild = true;
#endif

// Running the generator again gives the very same bytes, those of the game
// folder that this build generated.
TEST(MapGenerator, OutputIsDeterministic) {
  testfiles::TempDir first, second;
  const std::string tool = std::string(KESTRIN_BINARY_DIR) + "/bin/kestrin-mapgen";
  ASSERT_EQ(std::system((tool + " " + first.path()).c_str()), 0);
  ASSERT_EQ(std::system((tool + " " + second.path()).c_str()), 0);
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(first.path() + "/maps")) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = std::filesystem::relative(entry.path(), first.path()).string();
    EXPECT_EQ(first.Read(relative), second.Read(relative)) << relative;
    std::vector<unsigned char> shipped;
    ASSERT_TRUE(ReadWholeFile(std::string(KESTRIN_GAME_DIR) + "/" + relative, shipped)) << relative;
    if (kShippedByThisBuild) {
      EXPECT_EQ(first.Read(relative), std::string(shipped.begin(), shipped.end())) << relative;
    }
    ++files;
  }
  EXPECT_EQ(files, 20);
}
