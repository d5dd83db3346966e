#include "render/material.h"

#include <gtest/gtest.h>

#include "support/recording.h"

namespace {

using rendertest::RenderTest;

using MaterialTest = RenderTest;

TEST_F(MaterialTest, WithoutTheShaderPathMaterialsHoldNoProgramsAndBindNone) {
  CopyGameShaders();
  UseShaderPath(false);
  Shaders.discover();
  Shaders.load();
  Materials.createMaterial("empty", 0, 128, 0.0f);
  Materials.createMaterial("specular", 3, 64, 0.5f);
  ASSERT_EQ(Materials.materials.size(), 2u);
  for (const Material& m : Materials.materials) {
    EXPECT_EQ(m.vertexShader, nullptr);
    EXPECT_EQ(m.pixelShader, nullptr);
    EXPECT_EQ(m.flags, 0u);
  }
  Materials.bindMaterial("specular");
  EXPECT_EQ(device->CallsOf(d3d9::CallKind::SetVertexShader).size(), 1u);
  EXPECT_EQ(device->State().pixelShader, nullptr);
  EXPECT_TRUE(device->CallsOf(d3d9::CallKind::SetPixelShaderConstantF).empty());
  EXPECT_EQ(device->CreatedShaders(), 0);
}

}  // namespace
