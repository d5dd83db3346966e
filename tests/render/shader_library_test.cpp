#include "render/shader_library.h"

#include <string>

#include <gtest/gtest.h>

#include "render/render_fixture.h"

namespace {

using rendertest::FatalExits;
using rendertest::RenderTest;

using ShaderLibraryTest = RenderTest;

void WriteMarkedFragments(RenderTest& test, const char* extension) {
  for (const char* name : {"head", "diffuse", "specular", "end"})
    test.Write(std::string("bin/shdrpart/") + name + extension, std::string("; ") + name + extension + "\n");
}

TEST_F(ShaderLibraryTest, GameProgramsAreFoundAssembledAndBoundByName) {
  CopyGameShaders();
  Shaders.discover();
  Shaders.load();
  ASSERT_EQ(Shaders.vertexProgramNames.count, 3);
  EXPECT_STREQ(Shaders.vertexProgramNames.nameAt(0), "bill");
  EXPECT_STREQ(Shaders.vertexProgramNames.nameAt(1), "iface");
  EXPECT_STREQ(Shaders.vertexProgramNames.nameAt(2), "world");
  EXPECT_EQ(Shaders.pixelProgramNames.count, 3);
  for (const char* name : {"head", "diffuse", "specular", "end"}) {
    EXPECT_NE(Shaders.vertexFragmentNames.indexOf(name), -1) << name;
    EXPECT_NE(Shaders.pixelFragmentNames.indexOf(name), -1) << name;
    EXPECT_FALSE(Shaders.vertexFragment(name).empty()) << name;
  }
  EXPECT_TRUE(FatalExits.empty());
  EXPECT_EQ(device->CreatedShaders(), 6);

  Shaders.bindVertexProgram("iface");
  Shaders.bindPixelProgram("bill");
  ASSERT_NE(Shaders.vertexProgram("iface"), nullptr);
  EXPECT_EQ(device->State().vertexShader, Shaders.vertexProgram("iface"));
  EXPECT_EQ(device->State().pixelShader, Shaders.pixelProgram("bill"));

  for (const char* unknown : {"IFACE", "nothing", static_cast<const char*>(nullptr)}) {
    Shaders.bindVertexProgram(unknown);
    Shaders.bindPixelProgram(unknown);
    EXPECT_EQ(device->State().vertexShader, nullptr);
    EXPECT_EQ(device->State().pixelShader, nullptr);
  }
}

TEST_F(ShaderLibraryTest, ComposedGameProgramsAssembleForEveryMaterial) {
  CopyGameShaders();
  Shaders.discover();
  Shaders.load();
  for (uint32_t flags : {0u, 1u, 3u}) {
    IDirect3DVertexShader9* vertex = Shaders.composeVertexProgram(flags);
    IDirect3DPixelShader9* pixel = Shaders.composePixelProgram(flags);
    EXPECT_NE(vertex, nullptr) << flags;
    EXPECT_NE(pixel, nullptr) << flags;
    if (vertex) vertex->Release();
    if (pixel) pixel->Release();
  }
  EXPECT_TRUE(FatalExits.empty());
}

TEST_F(ShaderLibraryTest, WithoutTheShaderPathNothingIsLookedAtAndNothingBound) {
  CopyGameShaders();
  UseShaderPath(false);
  Shaders.discover();
  Shaders.load();
  EXPECT_EQ(Shaders.vertexProgramNames.count, 0);
  EXPECT_EQ(Shaders.pixelFragmentNames.count, 0);
  EXPECT_EQ(device->CreatedShaders(), 0);
  Shaders.bindVertexProgram("iface");
  Shaders.bindPixelProgram("iface");
  auto binds = device->CallsOf(d3d9::CallKind::SetVertexShader);
  ASSERT_EQ(binds.size(), 1u);
  EXPECT_EQ(binds[0].object, nullptr);
  EXPECT_EQ(device->State().pixelShader, nullptr);
}

TEST_F(ShaderLibraryTest, FileNamesWithCommasOrBlanksGiveSeveralNames) {
  Write("bin/shdr/a,b.vs", "vs_2_0\nmov oPos, v0\n");
  Write("bin/shdr/c d.ps", "ps_2_0\nmov oC0, c0\n");
  Write("bin/shdr/a.vs", "vs_2_0\nmov oPos, v0\n");
  Write("bin/shdrpart/x.vspx", "not a fragment");
  Shaders.discover();
  ASSERT_EQ(Shaders.vertexProgramNames.count, 2);  // "a", then "b" of "a,b"
  EXPECT_STREQ(Shaders.vertexProgramNames.nameAt(0), "a");
  EXPECT_STREQ(Shaders.vertexProgramNames.nameAt(1), "b");
  EXPECT_EQ(Shaders.pixelProgramNames.indexOf("c"), 0);
  EXPECT_EQ(Shaders.pixelProgramNames.indexOf("d"), 1);
  EXPECT_EQ(Shaders.vertexFragmentNames.count, 0);

  // Assembling looks for b.vs, which is not there: fatal.
  testing::internal::CaptureStderr();
  Shaders.load();
  std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find("Error vertex shader compiling"), std::string::npos) << message;
  EXPECT_NE(message.find("Error pixel shader compiling"), std::string::npos) << message;
  EXPECT_EQ(FatalExits, (std::vector<int>{0, 0, 0}));  // b.vs, c.ps, d.ps
  EXPECT_NE(Shaders.vertexProgram("a"), nullptr);
  EXPECT_EQ(Shaders.vertexProgram("b"), nullptr);
}

TEST_F(ShaderLibraryTest, AProgramThatDoesNotAssembleShowsTheAssemblerText) {
  Write("bin/shdr/bad.vs", "vs_2_0\nmov oPos, v0\nfrobnicate r0, r1\n");
  Shaders.discover();
  testing::internal::CaptureStderr();
  Shaders.load();
  std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find("Error vertex shader compiling: "), std::string::npos) << message;
  EXPECT_NE(message.find("line 3"), std::string::npos) << message;
  EXPECT_EQ(FatalExits, std::vector<int>{0});
}

TEST_F(ShaderLibraryTest, ProgramsAreComposedFromFragmentsInAFixedOrder) {
  WriteMarkedFragments(*this, ".vsp");
  WriteMarkedFragments(*this, ".psp");
  Shaders.discover();
  Shaders.load();
  EXPECT_EQ(Shaders.composeVertexText(0), "; head.vsp\n; end.vsp\n");
  EXPECT_EQ(Shaders.composeVertexText(1), "; head.vsp\n; diffuse.vsp\n; end.vsp\n");
  EXPECT_EQ(Shaders.composeVertexText(3), "; head.vsp\n; diffuse.vsp\n; specular.vsp\n; end.vsp\n");
  EXPECT_EQ(Shaders.composePixelText(2), "; head.psp\n; specular.psp\n; end.psp\n");
  EXPECT_EQ(Shaders.pixelFragment("diffuse"), "; diffuse.psp\n");
  EXPECT_EQ(Shaders.pixelFragment("Diffuse"), "");
  EXPECT_EQ(Shaders.pixelFragment(nullptr), "");
}

TEST_F(ShaderLibraryTest, AMissingFragmentContributesNothing) {
  Write("bin/shdrpart/head.vsp", "H\n");
  Write("bin/shdrpart/end.vsp", "E\n");
  Shaders.discover();
  Shaders.load();
  EXPECT_EQ(Shaders.composeVertexText(3), "H\nE\n");
  EXPECT_EQ(Shaders.composePixelText(3), "");
}

TEST_F(ShaderLibraryTest, FragmentsAreReadAsTextUpToTheirLimits) {
  Write("bin/shdrpart/crlf.vsp", "line one\r\nline two\r\n");
  Write("bin/shdrpart/zero.vsp", std::string("before\0after", 12));
  Write("bin/shdrpart/long.psp", std::string(40000, 'x'));
  Write("bin/shdrpart/exact.psp", std::string(31999, 'y'));
  Shaders.discover();
  Shaders.load();
  EXPECT_EQ(Shaders.vertexFragment("crlf"), "line one\nline two\n");
  EXPECT_EQ(Shaders.vertexFragment("zero"), "before");
  EXPECT_EQ(Shaders.pixelFragment("long"), std::string(31999, 'x'));
  EXPECT_EQ(Shaders.pixelFragment("exact"), std::string(31999, 'y'));
}

TEST_F(ShaderLibraryTest, FragmentsBeyondThirtyTwoHaveNoText) {
  for (int i = 0; i < 40; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "bin/shdrpart/f%02d.psp", i);
    Write(name, "text" + std::to_string(i));
  }
  Shaders.discover();
  Shaders.load();
  EXPECT_EQ(Shaders.pixelFragmentNames.count, 40);
  EXPECT_EQ(Shaders.pixelFragment("f31"), "text31");
  EXPECT_EQ(Shaders.pixelFragment("f32"), "");
  EXPECT_EQ(Shaders.pixelFragment("f39"), "");
}

TEST_F(ShaderLibraryTest, ComposedProgramsThatDoNotAssembleAreFatal) {
  Write("bin/shdrpart/head.vsp", "vs_2_0\n");
  Write("bin/shdrpart/end.vsp", "mov oPos, q7\n");
  Write("bin/shdrpart/head.psp", "ps_2_0\n");
  Write("bin/shdrpart/end.psp", "texld oC0\n");
  Shaders.discover();
  Shaders.load();
  testing::internal::CaptureStderr();
  EXPECT_EQ(Shaders.composeVertexProgram(0), nullptr);
  EXPECT_EQ(Shaders.composePixelProgram(0), nullptr);
  std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find("err material vs: "), std::string::npos) << message;
  EXPECT_NE(message.find("err material ps: "), std::string::npos) << message;
  EXPECT_EQ(FatalExits, (std::vector<int>{0, 0}));
}

TEST_F(ShaderLibraryTest, ReleaseEmptiesProgramsFragmentsAndNames) {
  CopyGameShaders();
  Shaders.discover();
  Shaders.load();
  Shaders.release();
  EXPECT_TRUE(Shaders.vertexPrograms.empty());
  EXPECT_TRUE(Shaders.pixelPrograms.empty());
  EXPECT_EQ(Shaders.vertexFragment("head"), "");
  Shaders.bindVertexProgram("iface");
  EXPECT_EQ(device->State().vertexShader, nullptr);
  Shaders.releaseNames();
  EXPECT_EQ(Shaders.vertexProgramNames.count, 0);
  EXPECT_EQ(Shaders.pixelFragmentNames.count, 0);
}

}  // namespace
