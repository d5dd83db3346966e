#include "d3dutil/shader_assembler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/d3d9/shader_tokens.h"

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

TEST(ShaderAssembler, Shader11LeavesTheLengthFieldEmpty) {
  ExpectWords({0xFFFE0101,
               0x0000001F, 0x80000000, 0x900F0000,
               0x00000014, 0xC00F0000, 0x90E40000, 0xA0E40000,
               0x00000051, 0xA00F0004, 0x3F800000, 0x00000000, 0x3F000000, 0xBF800000,  // def c4
               kEnd},
              "vs_1_1\ndcl_position v0\nm4x4 oPos, v0, c0\ndef c4, 1, 0, 0.5, -1\n");
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

TEST(ShaderAssembler, PixelShaderModifiersAndDefinitions) {
  ExpectWords({0xFFFF0200,
               0x05000051, 0xA00F0000, 0x3F800000, 0x00000000, 0x3F000000, 0x3F800000,  // def c0
               0x0200001F, 0x80000000, 0xB02F0001,                  // dcl_pp t1
               0x0200001F, 0x80000000, 0x904F0000,                  // dcl_centroid v0
               0x03000005, 0x80370001, 0x81E40000, 0xA0000003,      // mul_sat_pp r1.xyz, -r0, c3.x
               0x04000058, 0x800F0000, 0x80E40001, 0xA0C90002, 0xA0D20003,  // cmp .yzxw .zxyw
               0x0400005A, 0x80010000, 0x80E40000, 0xA0E40001, 0xA0AA0002,  // dp2add
               0x02000001, 0x900F0800, 0x80000000,                  // mov oDepth, r0.x
               kEnd},
              "ps_2_0\n"
              "def c0, 1.0, 0, .5, 1.0f\n"
              "dcl_pp t1\n"
              "dcl_centroid v0\n"
              "mul_sat_pp r1.xyz, -r0, c3.x\n"
              "cmp r0, r1, c2.yzxw, c3.zxyw\n"
              "dp2add r0.x, r0, c1, c2.z\n"
              "mov oDepth, r0.x\n");
}

TEST(ShaderAssembler, VertexDeclarationsWithUsageIndices) {
  ExpectWords({0xFFFE0200,
               0x0200001F, 0x80000003, 0x900F0001,  // dcl_normal v1
               0x0200001F, 0x8000000A, 0x900F0002,  // dcl_color v2
               0x0200001F, 0x80000005, 0x900F0003,  // dcl_texcoord v3
               0x0200001F, 0x80010005, 0x90030004,  // dcl_texcoord1 v4.xy
               0x0200001F, 0x80000007, 0x900F0005,  // dcl_binormal0 v5
               0x0200001F, 0x800F0005, 0x900F000F,  // dcl_texcoord15 v15
               kEnd},
              "vs_2_0\n"
              "dcl_normal v1\n"
              "dcl_color v2\n"
              "dcl_texcoord v3\n"
              "dcl_texcoord1 v4.xy\n"
              "dcl_binormal0 v5\n"
              "dcl_texcoord15 v15\n");
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

TEST(ShaderAssembler, LoopWithLoopCounterAddressing) {
  ExpectWords({0xFFFE0200,
               0x05000030, 0xF00F0000, 3, 0, 1, 0,                          // defi i0, 3, 0, 1, 0
               0x02000001, 0x800F0000, 0xA0E40000,                          // mov r0, c0
               0x0200001B, 0xF0E40800, 0xF0E40000,                          // loop aL, i0
               0x04000002, 0x800F0000, 0x80E40000, 0xA0E4200A, 0xF0000800,  // add r0, r0, c[aL + 10]
               0x0000001D,                                                  // endloop
               0x01000026, 0xF0E40001,                                      // rep i1
               0x03000002, 0x800F0000, 0x80E40000, 0xA0E40001,             // add r0, r0, c1
               0x00000027,                                                  // endrep
               0x02000001, 0xC00F0000, 0x80E40000,                          // mov oPos, r0
               kEnd},
              "vs_2_0\n"
              "defi i0, 3, 0, 1, 0\n"
              "mov r0, c0\n"
              "loop aL, i0\n"
              "  add r0, r0, c[aL + 10]\n"
              "endloop\n"
              "rep i1\n"
              "  add r0, r0, c1\n"
              "endrep\n"
              "mov oPos, r0\n");
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

TEST(ShaderAssembler, EveryArithmeticOpcodeOfVertexShader20) {
  const char* lines[][2] = {
      {"nop", "00000000"},          {"add r0, r1, r2", "03000002"}, {"sub r0, r1, r2", "03000003"},
      {"mad r0, r1, r2, r3", "04000004"}, {"mul r0, r1, r2", "03000005"}, {"rcp r0, r1.x", "02000006"},
      {"rsq r0, r1.x", "02000007"}, {"dp3 r0, r1, r2", "03000008"}, {"dp4 r0, r1, r2", "03000009"},
      {"min r0, r1, r2", "0300000a"}, {"max r0, r1, r2", "0300000b"}, {"slt r0, r1, r2", "0300000c"},
      {"sge r0, r1, r2", "0300000d"}, {"exp r0, r1.x", "0200000e"}, {"log r0, r1.x", "0200000f"},
      {"lit r0, r1", "02000010"},   {"dst r0, r1, r2", "03000011"}, {"lrp r0, r1, r2, r3", "04000012"},
      {"frc r0, r1", "02000013"},   {"m4x3 r0.xyz, r1, c0", "03000015"}, {"m3x4 r0, r1, c0", "03000016"},
      {"m3x3 r0.xyz, r1, c0", "03000017"}, {"m3x2 r0.xy, r1, c0", "03000018"}, {"pow r0, r1.x, r2.y", "03000020"},
      {"crs r0.xyz, r1, r2", "03000021"}, {"sgn r0, r1, r2, r3", "04000022"}, {"abs r0, r1", "02000023"},
      {"nrm r0, r1", "02000024"},   {"expp r0, r1.x", "0200004e"}, {"logp r0, r1.x", "0200004f"},
  };
  for (const auto& [line, token] : lines) {
    Words code = Assemble(std::string("vs_2_0\n") + line + "\n");
    ASSERT_GE(code.size(), 3u) << line;
    EXPECT_EQ(token, Hex({code[1]}).substr(0, 8)) << line;
    EXPECT_EQ(code.size() - 3, InstructionLength(code[1])) << line;
  }
}

TEST(ShaderAssembler, CommentsBlankLinesCaseAndLineEnds) {
  Words expected = Assemble("vs_2_0\nmov oPos, c0\n");
  EXPECT_EQ(Hex(expected), Hex(Assemble("// header\n\n  ; more\r\nvs_2_0 // version\r\n"
                                        "/* a block\n comment */ mov\toPos ,c0 ; tail\r\n")));
  EXPECT_EQ(Hex(expected), Hex(Assemble("VS_2_0\nMOV OPOS, C0\n")));
  EXPECT_EQ(Hex(expected), Hex(Assemble("vs.2.0\nmov oPos, c0")));
}

TEST(ShaderAssembler, RespectsTheGivenLength) {
  std::string text = "vs_2_0\nmov oPos, c0\ngarbage here";
  Words code;
  std::string errors;
  ASSERT_EQ(D3D_OK, D3DXAssembleShader(text.c_str(), 20, &code, &errors)) << errors;
  EXPECT_EQ(Hex(Assemble("vs_2_0\nmov oPos, c0\n")), Hex(code));

  std::string withNul("vs_2_0\nmov oPos, c0\n\0garbage", 28);
  ASSERT_EQ(D3D_OK, D3DXAssembleShader(withNul.data(), static_cast<unsigned>(withNul.size()), &code, &errors));
}

TEST(ShaderAssembler, NullArgumentsFail) {
  Words code;
  EXPECT_EQ(D3DERR_INVALIDCALL, D3DXAssembleShader(nullptr, 5, &code, nullptr));
  EXPECT_EQ(D3DERR_INVALIDCALL, D3DXAssembleShader("vs_2_0", 6, nullptr, nullptr));
  EXPECT_EQ(D3D_OK, D3DXAssembleShader("vs_2_0", 6, &code, nullptr));
  EXPECT_EQ(D3DERR_INVALIDCALL, D3DXAssembleShader("mov", 3, &code, nullptr));
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

TEST(ShaderAssemblerErrors, MissingOrUnsupportedVersion) {
  EXPECT_THAT(ErrorsOf("mov r0, c0\n"), HasSubstr("(line 1): shader version expected"));
  EXPECT_THAT(ErrorsOf("\n// only a comment\n"), HasSubstr("no shader version"));
  EXPECT_THAT(ErrorsOf(""), HasSubstr("(line 1)"));
  EXPECT_THAT(ErrorsOf("ps_1_4\nmov r0, r1\n"), HasSubstr("'ps_1_4' is not supported"));
  EXPECT_THAT(ErrorsOf("vs_3_0\n"), HasSubstr("'vs_3_0' is not supported"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nvs_2_0\n"), HasSubstr("(line 2): the shader version may only be given once"));
  EXPECT_THAT(ErrorsOf("vs_2_0 r0\n"), HasSubstr("unexpected operands"));
}

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

TEST(ShaderAssemblerErrors, ReadingOutputsAndWritingInputs) {
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, oPos\n"), HasSubstr("'oPos' cannot be read"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov c0, r0\n"), HasSubstr("'c0' cannot be written"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov v0, r0\n"), HasSubstr("'v0' cannot be written"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov t0, r0\n"), HasSubstr("'t0' cannot be written"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov r0, s0\n"), HasSubstr("'s0' cannot be read"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, i0\n"), HasSubstr("'i0' cannot be read"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nadd r0, a0, r1\n"), HasSubstr("'a0' cannot be read"));
}

TEST(ShaderAssemblerErrors, AddressRegisterWrites) {
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov a0.x, r0.x\n"), HasSubstr("a0 can only be written by mova"));
  EXPECT_THAT(ErrorsOf("vs_1_1\nmov a0, r0.x\n"), HasSubstr("a0 is written as a0.x"));
  EXPECT_THAT(ErrorsOf("vs_1_1\nmova a0.x, r0.x\n"), HasSubstr("'mova' is not available in vs_1_1"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmova r0, r1\n"), HasSubstr("'mova' writes only a0"));
  EXPECT_THAT(ErrorsOf("vs_1_1\nadd a0.x, r0, r1\n"), HasSubstr("a0 can only be written by mov"));
}

TEST(ShaderAssemblerErrors, WriteMasks) {
  for (const char* mask : {".yx", ".xx", ".xq", ".", ".xyzwx", ".x y"})
    EXPECT_THAT(ErrorsOf(std::string("vs_2_0\nmov r0") + mask + ", r1\n"), HasSubstr("(line 2)")) << mask;
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0.yx, r1\n"), HasSubstr("invalid write mask '.yx'"));
  EXPECT_TRUE(Assembles("vs_2_0\nmov r0.xw, r1\nmov r0.rgba, r1\nmov r0.yzw, r1"));
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

TEST(ShaderAssemblerErrors, OperandCounts) {
  EXPECT_THAT(ErrorsOf("vs_2_0\nadd r0, r1\n"), HasSubstr("(line 2): 'add' needs 3 operands, found 2"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0\n"), HasSubstr("'mov' needs 2 operands, found 1"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nrcp r0, r1, r2\n"), HasSubstr("found 3"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nadd r0, , r1\n"), HasSubstr("missing operand 2"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nadd r0, r1, r2,\n"), HasSubstr("missing operand 4"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nnop r0\n"), HasSubstr("'nop' needs 0 operands"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0 r1\n"), HasSubstr("needs 2 operands, found 1"));
}

TEST(ShaderAssemblerErrors, InstructionsOutsideTheirVersions) {
  EXPECT_THAT(ErrorsOf("ps_2_0\nlit r0, r1\n"), HasSubstr("'lit' is not available in ps_2_0"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ntexld r0, r1, s0\n"), HasSubstr("'texld' is not available in vs_2_0"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ncmp r0, r1, r2, r3\n"), HasSubstr("'cmp' is not available"));
  EXPECT_THAT(ErrorsOf("vs_1_1\nloop aL, i0\nendloop\n"), HasSubstr("'loop' is not available in vs_1_1"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nrep i0\nendrep\n"), HasSubstr("'rep' is not available in ps_2_0"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nbreak\n"), HasSubstr("'break' is not available in vs_2_0"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nif_gt r0.x, r1.x\nendif\n"), HasSubstr("'if_gt' is not available in vs_2_0"));
  EXPECT_THAT(ErrorsOf("vs_1_1\ndefi i0, 1, 0, 0, 0\n"), HasSubstr("'defi' is not available"));
}

TEST(ShaderAssemblerErrors, ModifiersOnlyWhereTheVersionHasThem) {
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov_sat r0, r1\n"), HasSubstr("'_sat' is not available on 'mov' in vs_2_0"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov_x2 r0, r1\n"), HasSubstr("'_x2' is not available"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov_foo r0, r1\n"), HasSubstr("unknown instruction modifier '_foo'"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov_sat_sat r0, r1\n"), HasSubstr("given twice"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ntexkill_pp r0\n"), HasSubstr("not available on 'texkill'"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov r0, r1_abs\n"), HasSubstr("source modifier '_abs' is not available in ps_2_0"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, r1_bx2.x\n"), HasSubstr("'_bx2' is not available"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, r1.x_zz\n"), HasSubstr("unknown source modifier '_zz'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, !r1\n"), HasSubstr("'!' is not available"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, --r1\n"), HasSubstr("expected a register"));
}

TEST(ShaderAssemblerErrors, RelativeAddressing) {
  EXPECT_THAT(ErrorsOf("ps_2_0\nmov r0, c[a0.x]\n"), HasSubstr("relative addressing is not available for 'c'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, r[a0.x]\n"), HasSubstr("relative addressing is not available for 'r'"));
  EXPECT_THAT(ErrorsOf("vs_1_1\nmov r0, c[a0.y]\n"), HasSubstr("a0.x expected"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c[a0]\n"), HasSubstr("invalid relative address"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c[5]\n"), HasSubstr("names no address register"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c[a0.x + 1 + 2]\n"), HasSubstr("invalid relative address"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c[a0.x - 1]\n"), HasSubstr("invalid relative address"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c[a0.x + 256]\n"), HasSubstr("does not exist"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c250[a0.x + 6]\n"), HasSubstr("does not exist"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c[a0.x\n"), HasSubstr("missing ']'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c[aL]\n"), HasSubstr("aL can only be used inside a loop"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov c[a0.x], r0\n"), HasSubstr("not available on a destination"));
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

TEST(ShaderAssemblerErrors, TextureInstructionOperands) {
  EXPECT_THAT(ErrorsOf("ps_2_0\ntexld r0, s0, t0\n"), HasSubstr("operand 2 of 'texld' must be r# or t#"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ntexld r0, t0.xy, s0\n"), HasSubstr("without modifier or swizzle"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ntexld r0, t0, c0\n"), HasSubstr("operand 3 of 'texld' must be a sampler (s#)"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ntexld r0, t0, s0.x\n"), HasSubstr("must be a sampler"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ntexkill c0\n"), HasSubstr("operand 1 of 'texkill' must be r# or t#"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ntexld oC0, t0, s0\n"), HasSubstr("the destination of 'texld' must be r#"));
}

TEST(ShaderAssemblerErrors, MatrixAndSincosOperands) {
  EXPECT_TRUE(Assembles("vs_1_1\nm4x4 r0, v0, c92\nm3x2 r1.xy, v0, c94\n"));
  EXPECT_THAT(ErrorsOf("vs_1_1\nm4x4 r0, v0, c93\n"), HasSubstr("'m4x4' reads 4 registers from 'c93'"));
  EXPECT_THAT(ErrorsOf("ps_2_0\nm3x3 r0.xyz, t0, c30\n"), HasSubstr("past the last one"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nsincos r0, r1.x, c0, c1\n"), HasSubstr("'sincos' writes only .x, .y or .xy"));
  EXPECT_THAT(ErrorsOf("vs_2_0\nsincos r0.z, r1.x, c0, c1\n"), HasSubstr("'sincos' writes only"));
}

TEST(ShaderAssemblerErrors, Definitions) {
  EXPECT_THAT(ErrorsOf("vs_2_0\ndef c0, 1, 2, 3\n"), HasSubstr("'def' needs 5 operands, found 4"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndef c0, 1, x, 0, 0\n"), HasSubstr("operand 3 of 'def' must be a number, found 'x'"));
  for (const char* bad : {"1e99", "inf", "nan", "1..0", "0x10", "1 2", "-"})
    EXPECT_THAT(ErrorsOf(std::string("vs_2_0\ndef c0, 0, 0, 0, ") + bad + "\n"), HasSubstr("must be a number")) << bad;
  EXPECT_THAT(ErrorsOf("vs_2_0\ndef r0, 1, 2, 3, 4\n"), HasSubstr("must be a c# register"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndef c0.x, 1, 2, 3, 4\n"), HasSubstr("without mask"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ndef c32, 1, 2, 3, 4\n"), HasSubstr("'c32' does not exist"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndefb b0, maybe\n"), HasSubstr("must be true or false"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndefi i0, 1.5, 0, 0, 0\n"), HasSubstr("must be an integer"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndefi i0, 99999999999, 0, 0, 0\n"), HasSubstr("must be an integer"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndefi c0, 1, 0, 0, 0\n"), HasSubstr("must be a i# register"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ndef_pp c0, 1, 2, 3, 4\n"), HasSubstr("'def' takes no modifiers"));
  Words code = Assemble("vs_2_0\ndefi i1, -3, +2, 0, 255\ndefb b0, FALSE\ndef c1, -1.5e2, +.25, 1e-3f, 0\n");
  ASSERT_EQ(17u, code.size());
  EXPECT_EQ(static_cast<uint32_t>(-3), code[3]);
  EXPECT_EQ(2u, code[4]);
  EXPECT_EQ(0u, code[9]);
  EXPECT_EQ(0xC3160000u, code[12]);  // -150
  EXPECT_EQ(0x3E800000u, code[13]);  // 0.25
}

TEST(ShaderAssemblerErrors, Declarations) {
  EXPECT_THAT(ErrorsOf("vs_2_0\ndcl v0\n"), HasSubstr("'dcl' needs a usage"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndcl_foo v0\n"), HasSubstr("unknown usage in 'dcl_foo'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndcl_texcoord16 v0\n"), HasSubstr("usage index out of range"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndcl_position r0\n"), HasSubstr("declares input registers"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndcl_position_pp v0\n"), HasSubstr("unexpected '_pp'"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndcl_2d s0\n"), HasSubstr("'s0' does not exist in vs_2_0"));
  EXPECT_THAT(ErrorsOf("vs_2_0\ndcl_position v0, v1\n"), HasSubstr("'dcl' needs 1 operand, found 2"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ndcl s0\n"), HasSubstr("dcl_2d, dcl_cube or dcl_volume"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ndcl_2d s0.x\n"), HasSubstr("takes no write mask"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ndcl_2d t0\n"), HasSubstr("unexpected '_2d'"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ndcl_texcoord0 t0\n"), HasSubstr("unexpected '_texcoord0'"));
  EXPECT_THAT(ErrorsOf("ps_2_0\ndcl r0\n"), HasSubstr("declares t#, v# or s#"));
}

TEST(ShaderAssemblerErrors, InstructionSlotLimits) {
  std::string ps = "ps_2_0\n";
  for (int i = 0; i < 64; ++i) ps += "add r0, r0, r0\n";
  EXPECT_TRUE(Assembles(ps));
  EXPECT_THAT(ErrorsOf(ps + "mov r0, r1\n"), HasSubstr("(line 66): the program needs more than the 64 arithmetic"));
  std::string textures = "ps_2_0\ndcl t0\ndcl_2d s0\n";
  for (int i = 0; i < 33; ++i) textures += "texld r0, t0, s0\n";
  EXPECT_THAT(ErrorsOf(textures), HasSubstr("32 texture instruction slots"));
  std::string vs = "vs_1_1\n";
  for (int i = 0; i < 33; ++i) vs += "m4x4 r0, v0, c0\n";
  EXPECT_THAT(ErrorsOf(vs), HasSubstr("128 instruction slots of vs_1_1"));
}

TEST(ShaderAssemblerErrors, UnclosedBlockComment) {
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, c0\n/* start\nmov r0, c1\n"), HasSubstr("(line 3): comment '/*' is never closed"));
}

TEST(ShaderAssemblerErrors, LongAndUnprintableTextIsQuotedShortly) {
  std::string errors = ErrorsOf("vs_2_0\n" + std::string(500, 'q') + "\x01 r0\n");
  EXPECT_LT(errors.size(), 120u);
  EXPECT_THAT(ErrorsOf("vs_2_0\nmov r0, \x7f" "c0\n"), HasSubstr("'?"));
}

TEST(ShaderAssemblerErrors, TooManyFaultsAreSummarised) {
  std::string text = "vs_2_0\n";
  for (int i = 0; i < 200; ++i) text += "bad\n";
  std::string errors = ErrorsOf(text);
  EXPECT_THAT(errors, HasSubstr("(line 51): unknown opcode 'bad'"));
  EXPECT_THAT(errors, ::testing::Not(HasSubstr("(line 52)")));
  EXPECT_THAT(errors, HasSubstr("150 more errors"));
}

// ---------------------------------------------------------------------------
// Files.

// Each test works in a folder of its own: CTest runs them side by side.
class ShaderFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    home_ = std::filesystem::path(::testing::TempDir()) / ("kestrin_shasm_" + std::to_string(getpid()));
    std::filesystem::remove_all(home_);
    std::filesystem::create_directories(home_ / folder_ / "shdr");
    std::filesystem::current_path(home_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(home_);
  }
  std::filesystem::path previous_, home_;
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ + "/shdr/" + name, std::ios::binary) << text;
  }
  const std::string folder_ = "shasm_test_files";
};

TEST_F(ShaderFiles, AssemblesAFileGivenWithBackslashes) {
  Write("iface.vs", "vs_2_0\r\ndcl_position v0\r\nm4x4 oPos, v0, c0\r\n");
  Words code;
  std::string errors;
  ASSERT_EQ(D3D_OK, D3DXAssembleShaderFromFileA("shasm_test_files\\shdr\\iface.vs", &code, &errors)) << errors;
  EXPECT_EQ(Hex(Assemble("vs_2_0\ndcl_position v0\nm4x4 oPos, v0, c0\n")), Hex(code));
}

TEST_F(ShaderFiles, ErrorsNameTheFileAndLine) {
  Write("bad.ps", "ps_2_0\n\nmov r0, c32\n");
  Words code{7};
  std::string errors;
  EXPECT_EQ(D3DERR_INVALIDCALL, D3DXAssembleShaderFromFileA("shasm_test_files\\shdr\\bad.ps", &code, &errors));
  EXPECT_TRUE(code.empty());
  EXPECT_THAT(errors, HasSubstr("shasm_test_files\\shdr\\bad.ps(line 3): register 'c32' does not exist"));
}

TEST_F(ShaderFiles, MissingFileFails) {
  Words code{7};
  std::string errors;
  EXPECT_TRUE(FAILED(D3DXAssembleShaderFromFileA("shasm_test_files\\shdr\\none.vs", &code, &errors)));
  EXPECT_TRUE(code.empty());
  EXPECT_THAT(errors, HasSubstr("none.vs"));
  EXPECT_TRUE(FAILED(D3DXAssembleShaderFromFileA("shasm_test_files\\shdr", &code, &errors)));
  EXPECT_EQ(D3DERR_INVALIDCALL, D3DXAssembleShaderFromFileA(nullptr, &code, &errors));
}

// ---------------------------------------------------------------------------
// Whatever the text, the assembler answers without crashing.

uint32_t NextRandom(uint32_t& state) {
  state = state * 1103515245u + 12345u;
  return state >> 8;
}

TEST(ShaderAssemblerRobustness, MutatedProgramsNeverCrash) {
  const std::string seeds[] = {
      "vs_2_0\ndcl_position v0\ndefi i0, 3, 0, 1, 0\nloop aL, i0\nadd r0, r0, c[aL + 10]\nendloop\n"
      "mova a0.x, r0.x\nmov r1, -c[a0.x + 2].yzxw\nm4x4 oPos, v0, c0\nif b1\ncall l0\nendif\nret\nlabel l0\nret\n",
      "ps_2_0\ndef c0, 1, 0, .5, 1\ndcl t0.xy\ndcl_2d s0\ntexld_pp r0, t0, s0\nmul_sat r0.xyz, r0, c0.x\n"
      "mov oC0, r0 /* c */ ; tail\n",
      "vs_1_1\ndcl_normal v1\nmov a0.x, c0.x\nmov oD0, c[a0.x + 3]\n",
  };
  const char alphabet[] = "vpsdcl_0123456789.,[]+-!rtxyzwabgoPLaiS;/* \n\t\r";
  uint32_t state = 12345;
  int succeeded = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text = seeds[round % 3];
    int edits = 1 + static_cast<int>(NextRandom(state) % 4);
    for (int e = 0; e < edits; ++e) {
      size_t at = NextRandom(state) % (text.size() + 1);
      char c = alphabet[NextRandom(state) % (sizeof alphabet - 1)];
      switch (NextRandom(state) % 4) {
        case 0: text.insert(text.begin() + static_cast<long>(at), c); break;
        case 1: if (at < text.size()) text.erase(at, 1 + NextRandom(state) % 6); break;
        case 2: if (at < text.size()) text[at] = static_cast<char>(NextRandom(state) & 0xFF); break;
        default: if (!text.empty()) text.insert(at, text.substr(NextRandom(state) % text.size(), NextRandom(state) % 20)); break;
      }
    }
    Words code;
    std::string errors;
    HRESULT hr = D3DXAssembleShader(text.data(), static_cast<unsigned>(text.size()), &code, &errors);
    if (SUCCEEDED(hr)) {
      ++succeeded;
      ASSERT_GE(code.size(), 2u);
      EXPECT_EQ(kEnd, code.back());
    } else {
      EXPECT_TRUE(code.empty());
      EXPECT_FALSE(errors.empty());
    }
  }
  EXPECT_GT(succeeded, 0);
}

TEST(ShaderTokens, RegisterTypesSplitAcrossTwoFields) {
  for (uint32_t type = 0; type <= D3DSPR_PREDICATE; ++type) {
    uint32_t token = D3DSP_PARAMETER_BIT | D3DSPR_REGISTER_TYPE_BITS(type) | 5;
    EXPECT_EQ(type, ParameterRegisterType(token));
    EXPECT_EQ(5u, ParameterRegisterNumber(token));
  }
  EXPECT_EQ(0xA0000800u, D3DSP_PARAMETER_BIT | D3DSPR_REGISTER_TYPE_BITS(D3DSPR_SAMPLER));
  EXPECT_EQ(-1, DestinationShift(0x0F000000));
  EXPECT_EQ(3u, SourceSwizzleComponent(0xA01B0000, 0));
  EXPECT_EQ(0xFFFE0200u, D3DVS_VERSION(2, 0));
  EXPECT_EQ(0x0003FFFEu, D3DSHADER_COMMENT(3));
}

}  // namespace
