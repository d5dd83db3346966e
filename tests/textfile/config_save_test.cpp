#include <string>

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/test_hooks.h"
#include "textfile/config_node.h"
#include "support/files.h"

namespace {

class ConfigSave : public testing::Test {
 protected:
  void TearDown() override { SetWriteFaultHook(nullptr); }

  ConfigNode LoadText(const std::string& text) {
    ConfigNode node;
    EXPECT_TRUE(node.Load(dir.Write("in.s", text)));
    return node;
  }

  testfiles::TempDir dir;
};

TEST_F(ConfigSave, FloatsAreRoundedToThreeDecimalsAndStayFloats) {
  ASSERT_TRUE(LoadText("b { f 1.23456 whole 2. }").Save(dir.File("out.s")));
  ConfigNode again;
  ASSERT_TRUE(again.Load(dir.File("out.s")));
  EXPECT_EQ(again.Get("f").type, ValueType::Float);
  EXPECT_EQ(again.Get("f").AsFloat(), 1.235f);
  EXPECT_EQ(again.Get("whole").type, ValueType::Float);
  EXPECT_EQ(again.Get("whole").AsFloat(), 2.0f);
}

TEST_F(ConfigSave, KeepsUnknownAndDuplicateKeysInOrder) {
  ConfigNode node = LoadText("profile { name ^bee_ score1 10 custom zz score1 20 empty 1 }");
  node.Get("score1").SetInt(99);
  node.Get("empty").SetInt(0);
  node.Get("notthere").SetInt(5);
  ASSERT_TRUE(node.Save(dir.File("out.s")));
  EXPECT_EQ(dir.Read("out.s"),
            "profile {\n"
            "  name ^bee_\n"
            "  score1 99\n"
            "  custom zz\n"
            "  score1 20\n"
            "  empty 0\n"
            "}\n");
}

TEST_F(ConfigSave, EmptyAndBlankStringsStayReadable) {
  ConfigNode node = LoadText("b { empty x spaced x after 4 }");
  node.Get("empty").SetString("");
  node.Get("spaced").SetString("two words");
  node.name.clear();
  ASSERT_TRUE(node.Save(dir.File("out.s")));
  EXPECT_EQ(dir.Read("out.s"), "- {\n  empty -\n  spaced two_words\n  after 4\n}\n");
  ConfigNode again;
  ASSERT_TRUE(again.Load(dir.File("out.s")));
  EXPECT_EQ(again.Get("empty").type, ValueType::String);
  EXPECT_STREQ(again.Get("empty").AsString(), "");
  EXPECT_STREQ(again.Get("spaced").AsString(), "two_words");
  EXPECT_EQ(again.Get("after").AsInt(), 4);
  EXPECT_EQ(again.EntryCount(), 3u);
}

// A write-protected folder, or file, keeps the old file whole; the probe is
// what a save would have to write.
TEST_F(ConfigSave, WriteProtectionKeepsTheOldFile) {
  const std::string old = "b {\n  a 1\n}\n";
  for (auto [locked, probe] : {std::pair{"locked", "locked/probe"}, std::pair{"locked/out.s", "locked/out.s"}}) {
    const std::string file = dir.Write("locked/out.s", old);
    if (!testfiles::WriteProtect(dir.File(locked))) GTEST_SKIP() << "cannot write-protect here";
    if (FILE* written = std::fopen(dir.File(probe).c_str(), "a")) {
      std::fclose(written);
      GTEST_SKIP() << "write protection has no effect here";
    }
    EXPECT_FALSE(LoadText("b { a 2 }").Save(file)) << locked;
    EXPECT_EQ(dir.Read("locked/out.s"), old) << locked;
    testfiles::Unprotect(dir.File(locked));
  }
}

}  // namespace
