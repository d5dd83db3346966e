#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "core/camera.h"
#include "render/billboards.h"
#include "render/interface_quads.h"
#include "render/quad_buffers.h"
#include "support/recording.h"

namespace {

using rendertest::PixelConstant;
using rendertest::RenderTest;
using rendertest::VertexConstant;

std::vector<Vertex> VerticesOf(const d3d9::RecordedDraw& draw) {
  std::vector<Vertex> vertices(draw.vertices.size() / sizeof(Vertex));
  std::memcpy(vertices.data(), draw.vertices.data(), vertices.size() * sizeof(Vertex));
  return vertices;
}

void ExpectCorner(const Vertex& v, float x, float y, float z, float u, float vv) {
  EXPECT_FLOAT_EQ(v.position.x, x);
  EXPECT_FLOAT_EQ(v.position.y, y);
  EXPECT_FLOAT_EQ(v.position.z, z);
  EXPECT_FLOAT_EQ(v.u0, u);
  EXPECT_FLOAT_EQ(v.v0, vv);
}

class QuadTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    CopyGameShaders();
    Shaders.discover();
    Shaders.load();
    Materials.createMaterial("empty", 0, 128, 0.0f);
    CreateUnitQuadBuffer();
    CreateBillboardQuadBuffer();
    camera = CreateCamera("quads");
    SelectCamera("quads");
  }
  void TearDown() override {
    ReleaseUnitQuadBuffer();
    ReleaseBillboardQuadBuffer();
    ClearCameras();
    RenderTest::TearDown();
  }
  Camera* camera = nullptr;
};

TEST_F(QuadTest, OnTheFixedFunctionPathQuadsAreDrawnFromMemoryTheSameWayUp) {
  UseShaderPath(false);
  drawQuad("nothing", 0.5f, 0.25f, 1, 0.5f);
  drawQuadRegion(0, 0, 2, 1.5f, 0.25f, 0.5f, 0.5f, 0.25f);
  ASSERT_EQ(device->Draws().size(), 2u);
  const auto& quad = device->Draws()[0];
  EXPECT_TRUE(quad.fromMemory);
  EXPECT_EQ(quad.stride, 56u);
  auto v = VerticesOf(quad);
  ASSERT_EQ(v.size(), 4u);
  ExpectCorner(v[0], -0.5f, 0.5f, -1.125f, 0, 0);  // top left shows the top of the image
  ExpectCorner(v[1], -0.5f, 0.0f, -1.125f, 0, 1);
  ExpectCorner(v[2], 0.5f, 0.5f, -1.125f, 1, 0);
  ExpectCorner(v[3], 0.5f, 0.0f, -1.125f, 1, 1);
  EXPECT_EQ(v[0].colour, 0xFFFFFFFFu);
  EXPECT_EQ(quad.state.vertexShader, nullptr);
  auto r = VerticesOf(device->Draws()[1]);
  ExpectCorner(r[0], -1, 0.75f, -1.125f, 0.25f, 0.5f);
  ExpectCorner(r[3], 1, -0.75f, -1.125f, 0.75f, 0.75f);
}

TEST_F(QuadTest, BillboardsTurnToTheCameraAndTakeTheBatchColour) {
  OrientCamera(camera, D3DXVECTOR3(0, 0, 0), 0, 90, 0);
  const uint8_t colour[4] = {255, 128, 0, 255};
  beginBillboards("nothing", colour);
  EXPECT_NEAR(PixelConstant(device, 16)[0], 1.0f, 1e-6);
  EXPECT_NEAR(PixelConstant(device, 16)[1], 0.50196f, 1e-5);
  EXPECT_EQ(PixelConstant(device, 16)[2], 0.0f);
  EXPECT_EQ(device->State().renderStates[D3DRS_ZWRITEENABLE], 0u);
  EXPECT_EQ(device->State().vertexShader, Shaders.vertexProgram("bill"));
  EXPECT_EQ(device->State().pixelShader, Shaders.pixelProgram("bill"));
  EXPECT_EQ(device->State().stream, BillboardQuadBuffer);

  drawBillboard(D3DXVECTOR3(1, 2, 3), 2, 2);
  EXPECT_EQ(VertexConstant(device, 16), (std::vector<float>{1, 2, 3, 0}));
  EXPECT_EQ(VertexConstant(device, 17), (std::vector<float>{1, 1, 1, 1}));
  // c12..c15 hold the transposed basis: column i of B, i.e. the x, y, z parts
  // of right, up and direction.
  auto c12 = VertexConstant(device, 12);
  EXPECT_NEAR(c12[0], camera->right.x, 1e-6);
  EXPECT_NEAR(c12[1], camera->up.x, 1e-6);
  EXPECT_NEAR(c12[2], camera->direction.x, 1e-6);
  EXPECT_EQ(VertexConstant(device, 15), (std::vector<float>{0, 0, 0, 1}));
  ASSERT_EQ(device->Draws().size(), 1u);
  EXPECT_EQ(device->Draws()[0].type, D3DPT_TRIANGLESTRIP);

  endBillboards();
  EXPECT_EQ(device->State().renderStates[D3DRS_ZWRITEENABLE], 1u);
  EXPECT_EQ(device->State().vertexShader, Materials.find("empty")->vertexShader);
}

}  // namespace
