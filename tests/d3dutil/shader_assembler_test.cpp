#include "d3dutil/shader_assembler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/d3d9/shader_tokens.h"
#include "support/files.h"

namespace {

using ::testing::HasSubstr;
using Words = std::vector<uint32_t>;

std::string Hex(const Words& words) {
  std::string text;
  char word[16];
  for (uint32_t w : words) {
    std::snprintf(word, sizeof word, "%08x ", w);
    text += word;
  }
  return text;
}

Words Assemble(const std::string& text) {
  Words code;
  std::string errors;
  EXPECT_EQ(D3D_OK, D3DXAssembleShader(text.c_str(), static_cast<unsigned>(text.size()), &code, &errors))
      << errors;
  EXPECT_EQ("", errors);
  return code;
}

void ExpectWords(const Words& expected, const std::string& text) {
  EXPECT_EQ(Hex(expected), Hex(Assemble(text))) << text;
}

std::string ErrorsOf(const std::string& text) {
  Words code{1, 2, 3};
  std::string errors;
  EXPECT_EQ(D3DERR_INVALIDCALL, D3DXAssembleShader(text.c_str(), static_cast<unsigned>(text.size()), &code, &errors))
      << text;
  EXPECT_TRUE(code.empty());
  EXPECT_FALSE(errors.empty()) << text;
  return errors;
}

bool Assembles(const std::string& text) {
  Words code;
  std::string errors;
  return SUCCEEDED(D3DXAssembleShader(text.c_str(), static_cast<unsigned>(text.size()), &code, &errors));
}

constexpr uint32_t kEnd = 0x0000FFFF;

// ---------------------------------------------------------------------------
// Token streams, word by word.

TEST(ShaderAssembler, TransformVertexShader20) {
  ExpectWords({0xFFFE0200,
               0x0200001F, 0x80000000, 0x900F0000,                // dcl_position v0
               0x03000014, 0xC00F0000, 0x90E40000, 0xA0E40000,    // m4x4 oPos, v0, c0
               kEnd},
              "vs_2_0\ndcl_position v0\nm4x4 oPos, v0, c0\n");
}

TEST(ShaderAssembler, SwizzlesMasksAndNegation) {
  ExpectWords({0xFFFE0200,
               0x02000001, 0x800F0000, 0xA0440001,  // mov r0, c1.xyxy
               0x02000001, 0x80080002, 0x81FF0003,  // mov r2.w, -r3.w
               0x03000002, 0x80050001, 0x80E40000, 0xA0540007,  // add r1.xz, r0.xyzw, c7.xyy
               0x02000001, 0xD00F0001, 0x801B0000,  // mov oD1, r0.abgr
               0x02000001, 0xE0030007, 0x90E40002,  // mov oT7.xy, v2
               0x02000001, 0xC00F0001, 0x80000000,  // mov oFog, r0.x
               kEnd},
              "vs_2_0\n"
              "mov r0, c1.xyxy\n"
              "mov r2.w, -r3.w\n"
              "add r1.xz, r0.xyzw, c7.xyy\n"
              "mov oD1, r0.abgr\n"
              "mov oT7.xy, v2\n"
              "mov oFog, r0.x\n");
}

TEST(ShaderAssembler, PixelShader20Texturing) {
  ExpectWords({0xFFFF0200,
               0x0200001F, 0x80000000, 0xB0030000,  // dcl t0.xy
               0x0200001F, 0x80000000, 0x900F0001,  // dcl v1
               0x0200001F, 0x90000000, 0xA00F0800,  // dcl_2d s0
               0x0200001F, 0x98000000, 0xA00F0801,  // dcl_cube s1
               0x0200001F, 0xA0000000, 0xA00F0802,  // dcl_volume s2
               0x03000042, 0x800F0000, 0xB0E40000, 0xA0E40800,  // texld r0, t0, s0
               0x03010042, 0x800F0001, 0xB0E40000, 0xA0E40801,  // texldp r1, t0, s1
               0x03020042, 0x802F0002, 0x80E40001, 0xA0E40802,  // texldb_pp r2, r1, s2
               0x01000041, 0x800F0000,                          // texkill r0
               0x02000001, 0x800F0800, 0x80E40000,              // mov oC0, r0
               kEnd},
              "ps_2_0\n"
              "dcl t0.xy\n"
              "dcl v1\n"
              "dcl_2d s0\n"
              "dcl_cube s1\n"
              "dcl_volume s2\n"
              "texld r0, t0, s0\n"
              "texldp r1, t0, s1\n"
              "texldb_pp r2, r1, s2\n"
              "texkill r0\n"
              "mov oC0, r0\n");
}

TEST(ShaderAssembler, RelativeAddressing) {
  // vs_1_1 implies a0.x; vs_2_0 adds a token naming the address component.
  ExpectWords({0xFFFE0101,
               0x00000001, 0xB0010000, 0x80000001,  // mov a0.x, r1.x
               0x00000001, 0x800F0000, 0xA0E42005,  // mov r0, c[a0.x + 5]
               kEnd},
              "vs_1_1\nmov a0.x, r1.x\nmov r0, c[a0.x + 5]\n");
  ExpectWords({0xFFFE0200,
               0x0200002E, 0xB0020000, 0x80000001,              // mova a0.y, r1.x
               0x03000001, 0x800F0000, 0xA0E42005, 0xB0550000,  // mov r0, c[a0.y+5]
               0x03000001, 0x800F0000, 0xA0E42007, 0xB0FF0000,  // mov r0, c7[a0.w]
               0x03000001, 0x800F0000, 0xA1002003, 0xB0000000,  // mov r0, -c[3 + a0.x].x
               kEnd},
              "vs_2_0\nmova a0.y, r1.x\nmov r0, c[a0.y+5]\nmov r0, c7[a0.w]\nmov r0, -c[ 3 + a0.x ].x\n");
}

TEST(ShaderAssembler, BranchesAndSubroutines) {
  ExpectWords({0xFFFE0200,
               0x0200002F, 0xE00F0803, 1,               // defb b3, true
               0x01000028, 0xE0E40803,                  // if b3
               0x01000019, 0xA0E41002,                  // call l2
               0x0000002A,                              // else
               0x0200001A, 0xA0E41002, 0xE0E40803,      // callnz l2, b3
               0x0000002B,                              // endif
               0x02000001, 0xC00F0000, 0xA0E40000,      // mov oPos, c0
               0x0000001C,                              // ret
               0x0100001E, 0xA0E41002,                  // label l2
               0x04000025, 0x80030000, 0x80000001, 0xA0E4000A, 0xA0E4000B,  // sincos
               0x0000001C,                              // ret
               kEnd},
              "vs_2_0\n"
              "defb b3, true\n"
              "if b3\n"
              "  call l2\n"
              "else\n"
              "  callnz l2, b3\n"
              "endif\n"
              "mov oPos, c0\n"
              "ret\n"
              "label l2\n"
              "sincos r0.xy, r1.x, c10, c11\n"
              "ret\n");
}

// ---------------------------------------------------------------------------
// Faults: the call fails and says which line is wrong.

TEST(ShaderAssemblerErrors, UnknownOpcodeNamesItsLine) {
  EXPECT_EQ("(line 3): unknown opcode 'foo'", ErrorsOf("vs_2_0\nmov r0, c0\nfoo r0, r1\n"));
  EXPECT_THAT(ErrorsOf("vs_2_0\n+mov r0, c0\n"), HasSubstr("(line 2): unexpected '+'"));
}

TEST(ShaderAssemblerErrors, EveryFaultyLineIsReported) {
  std::string errors = ErrorsOf("vs_2_0\nfoo r0\nmov r0, c0\nmov r12, c0\n");
  EXPECT_THAT(errors, HasSubstr("(line 2): unknown opcode 'foo'"));
  EXPECT_THAT(errors, HasSubstr("(line 4): register 'r12' does not exist in vs_2_0 (r0 to r11)"));
}

// One faulty program per kind of diagnostic: the message names the fault.
struct Diagnostic {
  const char* program;
  const char* message;
};
class ShaderDiagnostics : public ::testing::TestWithParam<Diagnostic> {};
TEST_P(ShaderDiagnostics, NameTheFault) { EXPECT_THAT(ErrorsOf(GetParam().program), HasSubstr(GetParam().message)); }
INSTANTIATE_TEST_SUITE_P(Kinds, ShaderDiagnostics, ::testing::Values(
    Diagnostic{"mov r0, c0\n", "(line 1): shader version expected"},
    Diagnostic{"vs_2_0\nmov r0, oPos\n", "'oPos' cannot be read"},
    Diagnostic{"vs_2_0\nmov a0.x, r0.x\n", "a0 can only be written by mova"},
    Diagnostic{"vs_2_0\nmov r0.yx, r1\n", "invalid write mask '.yx'"},
    Diagnostic{"vs_2_0\nadd r0, r1\n", "(line 2): 'add' needs 3 operands, found 2"},
    Diagnostic{"ps_2_0\nlit r0, r1\n", "'lit' is not available in ps_2_0"},
    Diagnostic{"vs_2_0\nmov_sat r0, r1\n", "'_sat' is not available on 'mov' in vs_2_0"},
    Diagnostic{"ps_2_0\nmov r0, c[a0.x]\n", "relative addressing is not available for 'c'"},
    Diagnostic{"ps_2_0\ntexld r0, s0, t0\n", "operand 2 of 'texld' must be r# or t#"},
    Diagnostic{"vs_1_1\nm4x4 r0, v0, c93\n", "'m4x4' reads 4 registers from 'c93'"},
    Diagnostic{"vs_2_0\ndef c0, 1, 2, 3\n", "'def' needs 5 operands, found 4"},
    Diagnostic{"vs_2_0\ndcl v0\n", "'dcl' needs a usage"},
    Diagnostic{"vs_2_0\nmov r0, c0\n/* start\nmov r0, c1\n", "(line 3): comment '/*' is never closed"},
    Diagnostic{"vs_2_0\nmov r0, \x7f" "c0\n", "'?"}));

TEST(ShaderAssemblerErrors, RegisterFilesOfEachVersion) {
  EXPECT_TRUE(Assembles("vs_1_1\nmov r11, c95\nmov oT7, v15\nmov oD1, r0\nmov oPts, r0.x"));
  EXPECT_THAT(ErrorsOf("vs_1_1\nmov r0, c96\n"), HasSubstr("'c96' does not exist in vs_1_1 (c0 to c95)"));
  EXPECT_TRUE(Assembles("vs_2_0\nmov r0, c255\n"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c256\n"), HasSubstr("'c256' does not exist"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r12, c0\n"), HasSubstr("'r12' does not exist"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, v16\n"), HasSubstr("'v16' does not exist"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov oT8, r0\n"), HasSubstr("'oT8' does not exist"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov oD2, r0\n"), HasSubstr("'oD2' does not exist"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, t0\n"), HasSubstr("'t0' does not exist in vs_2_0"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c99999999999\n"), HasSubstr("does not exist"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r, c0\n"), HasSubstr("'r' needs a number"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov oPos0, c0\n"), HasSubstr("'oPos0' does not exist"));

  EXPECT_TRUE(Assembles("ps_2_0\ndcl_2d s15\ndcl t7\ntexld r11, t7, s15\nmov oC3, c31\nmov oC0, v1"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov r0, c32\n"), HasSubstr("(line 2): register 'c32' does not exist in ps_2_0"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov r0, v2\n"), HasSubstr("'v2' does not exist"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov r0, t8\n"), HasSubstr("'t8' does not exist"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ndcl_2d s16\n"), HasSubstr("'s16' does not exist"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov oC4, r0\n"), HasSubstr("'oC4' does not exist"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov oPos, r0\n"), HasSubstr("'oPos' does not exist"));
}

TEST(ShaderAssemblerErrors, Swizzles) {
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, r1.xq\n"), HasSubstr("invalid swizzle '.xq'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, r1.xyzwx\n"), HasSubstr("invalid swizzle"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, r1.\n"), HasSubstr("invalid swizzle"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, r1.x.y\n"), HasSubstr("unexpected '.y'"));
  // ps_2_0 knows only a few swizzles.
  EXPECT_TRUE(Assembles("ps_2_0\nmov r0, c0.w\nmov r0, c0.yzxw\nmov r0, c0.wzyx\nmov r0, c0.rgba"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov r0, c1.xyxy\n"), HasSubstr("swizzle '.xyxy' is not available in ps_2_0"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov r0.xy, c1.xy\n"), HasSubstr("swizzle '.xyyy'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nm4x4 oPos, v0, c0.x\n"), HasSubstr("matrix operand of 'm4x4'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nm4x4 oPos, v0, -c0\n"), HasSubstr("matrix operand of 'm4x4'"));
}

TEST(ShaderAssemblerErrors, FlowControlStructure) {
  EXPECT_THAT(ErrorsOf("vs_2_0\nendif\n"), HasSubstr("(line 2): 'endif' without 'if'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nelse\n"), HasSubstr("'else' without 'if'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nif b0\nelse\nelse\nendif\n"), HasSubstr("(line 4): 'else' without 'if'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c0\nif b0\nmov r0, c1\n"), HasSubstr("(line 3): 'if' is never closed"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nloop aL, i0\nendrep\n"), HasSubstr("'endrep' without 'rep'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nrep i0\nloop aL, i1\nendloop\nendrep\n"), HasSubstr("loops cannot be nested"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ncall l1\nret\n"), HasSubstr("(line 2): label l1 is not defined"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nret\nlabel l1\nret\nlabel l1\nret\n"), HasSubstr("(line 5): label l1 is defined twice"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nif b0\nlabel l0\nendif\n"), HasSubstr("'label' inside an open block"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ncall l0\nret\nlabel l0\ncall l1\nret\nlabel l1\nret\n"),
              HasSubstr("subroutines cannot call subroutines"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nif r0\nendif\n"), HasSubstr("operand 1 of 'if' must be a boolean constant (b#)"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nloop i0, aL\nendloop\n"), HasSubstr("operand 1 of 'loop' must be aL"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ncall b0\n"), HasSubstr("must be a label"));
  std::string many = "vs_2_0\n";
  for (int i = 0; i < 17; ++i) many += "if b0\nendif\n";
  EXPECT_THAT(ErrorsOf(many), HasSubstr("more than 16 flow control instructions"));
}

// ---------------------------------------------------------------------------
// Files.

// Each test works in a folder of its own: CTest runs them side by side.
class ShaderFiles : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(folder_ + "/shdr"); }
  testfiles::WorkingFolder home_;
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ + "/shdr/" + name, std::ios::binary) << text;
  }
  const std::string folder_ = "shasm_test_files";
};

TEST_F(ShaderFiles, ErrorsNameTheFileAndLine) {
  Write("bad.ps", "ps_2_0\n\nmov r0, c32\n");
  Words code{7};
  std::string errors;
  EXPECT_EQ(D3DERR_INVALIDCALL, D3DXAssembleShaderFromFileA("shasm_test_files\\shdr\\bad.ps", &code, &errors));
  EXPECT_TRUE(code.empty());
  EXPECT_THAT(errors, HasSubstr("shasm_test_files\\shdr\\bad.ps(line 3): register 'c32' does not exist"));
}

}  // namespace
