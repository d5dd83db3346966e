#include "render/material.h"

#include <gtest/gtest.h>

#include "render/render_fixture.h"

namespace {

using rendertest::FatalExits;
using rendertest::PixelConstant;
using rendertest::RenderTest;

class MaterialTest : public RenderTest {
 protected:
  void CreateGameMaterials() {
    CopyGameShaders();
    Shaders.discover();
    Shaders.load();
    Materials.createMaterial("empty", 0, 128, 0.0f);
    Materials.createMaterial("world", 4, 0, 0.0f);
    Materials.createMaterial("diffuse", 1, 0, 0.85f);
    Materials.createMaterial("specular", 3, 64, 0.5f);
  }
};

TEST_F(MaterialTest, BindingLoadsFactorIntoC23AndPowerIntoC24) {
  CreateGameMaterials();
  ASSERT_TRUE(FatalExits.empty());
  Materials.bindMaterial("specular");
  EXPECT_EQ(PixelConstant(device, 23), (std::vector<float>{0.5f, 0.5f, 0.5f, 1}));
  EXPECT_EQ(PixelConstant(device, 24), (std::vector<float>{64, 64, 64, 1}));
  Materials.bindMaterial("empty");
  EXPECT_EQ(PixelConstant(device, 23), (std::vector<float>{0, 0, 0, 1}));
  EXPECT_EQ(PixelConstant(device, 24), (std::vector<float>{128, 128, 128, 1}));
  Materials.bindMaterial("diffuse");
  EXPECT_EQ(PixelConstant(device, 23), (std::vector<float>{0.85f, 0.85f, 0.85f, 1}));
  EXPECT_EQ(PixelConstant(device, 24), (std::vector<float>{0, 0, 0, 1}));
  auto constants = device->CallsOf(d3d9::CallKind::SetPixelShaderConstantF);
  ASSERT_GE(constants.size(), 2u);
  EXPECT_EQ(constants[constants.size() - 2].a, 23u);  // c23 before c24, one register each
  EXPECT_EQ(constants[constants.size() - 2].b, 1u);
  EXPECT_EQ(constants.back().a, 24u);
}

TEST_F(MaterialTest, LitMaterialsGetTheirOwnComposedPrograms) {
  CreateGameMaterials();
  const Material* empty = Materials.find("empty");
  const Material* diffuse = Materials.find("diffuse");
  const Material* specular = Materials.find("specular");
  ASSERT_TRUE(empty && diffuse && specular);
  EXPECT_EQ(empty->flags, 0u);
  EXPECT_EQ(diffuse->flags, 1u);
  EXPECT_EQ(specular->flags, 3u);
  for (const Material* m : {empty, diffuse, specular}) {
    EXPECT_NE(m->vertexShader, nullptr) << m->name;
    EXPECT_NE(m->pixelShader, nullptr) << m->name;
  }
  EXPECT_NE(diffuse->pixelShader, specular->pixelShader);
  Materials.bindMaterial("diffuse");
  EXPECT_EQ(device->State().vertexShader, diffuse->vertexShader);
  EXPECT_EQ(device->State().pixelShader, diffuse->pixelShader);
}

TEST_F(MaterialTest, WorldBorrowsTheStandAloneWorldPrograms) {
  CreateGameMaterials();
  Materials.createMaterial("world6", 6, 0, 0.0f);
  for (const char* name : {"world", "world6"}) {
    const Material* world = Materials.find(name);
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(world->flags, 4u);
    EXPECT_EQ(world->vertexShader, Shaders.vertexProgram("world"));
    EXPECT_EQ(world->pixelShader, Shaders.pixelProgram("world"));
  }
  Materials.bindMaterial("world");
  EXPECT_EQ(device->State().vertexShader, Shaders.vertexProgram("world"));
  EXPECT_EQ(PixelConstant(device, 23), (std::vector<float>{0, 0, 0, 1}));
  EXPECT_EQ(PixelConstant(device, 24), (std::vector<float>{0, 0, 0, 1}));
  // Releasing the materials leaves the borrowed programs to the library.
  Materials.release();
  Shaders.bindVertexProgram("world");
  EXPECT_NE(device->State().vertexShader, nullptr);
}

TEST_F(MaterialTest, TheFirstOfTwoNamesakesWins) {
  CreateGameMaterials();
  Materials.createMaterial("empty", 1, 7, 0.25f);
  Materials.bindMaterial("empty");
  EXPECT_EQ(PixelConstant(device, 24), (std::vector<float>{128, 128, 128, 1}));
}

TEST_F(MaterialTest, UnknownOrNullNamesBindNoShaders) {
  CreateGameMaterials();
  for (const char* name : {"Empty", "nothing", static_cast<const char*>(nullptr)}) {
    Materials.bindMaterial("diffuse");
    device->ClearLog();
    Materials.bindMaterial(name);
    EXPECT_EQ(device->State().vertexShader, nullptr);
    EXPECT_EQ(device->State().pixelShader, nullptr);
    EXPECT_TRUE(device->CallsOf(d3d9::CallKind::SetPixelShaderConstantF).empty());
  }
}

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
