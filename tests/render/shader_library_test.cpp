#include "render/shader_library.h"

#include <gtest/gtest.h>

#include "support/recording.h"

namespace {

using rendertest::FatalExits;
using rendertest::RenderTest;

using ShaderLibraryTest = RenderTest;

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

}  // namespace
