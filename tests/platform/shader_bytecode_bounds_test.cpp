// Reading shader bytecode of a known length never looks past its end, however
// the tokens claim more: comments, instruction lengths and the def family.
#include <vector>

#include <gtest/gtest.h>

#include "platform/d3d9/shader_bytecode.h"
#include "platform/d3d9/shader_tokens.h"

namespace {

using d3d9::ParsedShader;
using d3d9::ParseShaderFunction;

constexpr DWORD kVs20 = 0xFFFE0200;
constexpr DWORD kVs11 = 0xFFFE0101;
constexpr DWORD kEnd = 0x0000FFFF;

// Each function sits in a vector of exactly its size, so a read past the
// last token is a heap overflow under the sanitizers.
bool Parses(const std::vector<DWORD>& tokens, bool pixel = false) {
  ParsedShader parsed;
  return ParseShaderFunction(tokens.data(), tokens.size(), pixel, &parsed);
}

// A comment whose length jumps over the end token must not send the reader
// on into whatever memory follows the function.
TEST(ShaderBytecodeBounds, ACommentRunningPastTheEndIsMalformed) {
  EXPECT_FALSE(Parses({kVs20, 0x0040FFFE, kEnd}));
  EXPECT_FALSE(Parses({kVs20, 0x7FFFFFFE, kEnd}));
  EXPECT_TRUE(Parses({kVs20, 0x0001FFFE, 0x12345678, kEnd})) << "a comment that fits is skipped";
}

TEST(ShaderBytecodeBounds, InstructionsClaimingMoreTokensThanThereAreAreMalformed) {
  EXPECT_FALSE(Parses({kVs20, 0x0F000001, 0xC00F0000, kEnd}));
  EXPECT_FALSE(Parses({kVs11, 0x00000051, 0xA00F0000, kEnd})) << "def takes five tokens";
  EXPECT_FALSE(Parses({kVs11, 0x00000001, 0xC00F0000, 0x90E40000})) << "no end token at all";
  EXPECT_FALSE(Parses({kVs20}));
  EXPECT_FALSE(Parses({}));
}

}  // namespace
