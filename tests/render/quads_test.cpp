#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "core/camera.h"
#include "render/billboards.h"
#include "render/interface_quads.h"
#include "render/quad_buffers.h"
#include "render/render_fixture.h"

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

TEST_F(QuadTest, QuadBuffersHoldTheirCorners) {
  ASSERT_NE(UnitQuadBuffer, nullptr);
  ASSERT_NE(BillboardQuadBuffer, nullptr);
  EXPECT_EQ(UnitQuadBuffer->Length(), 224u);
  void* data = nullptr;
  ASSERT_EQ(BillboardQuadBuffer->Lock(0, 0, &data, D3DLOCK_READONLY), D3D_OK);
  const Vertex* v = static_cast<const Vertex*>(data);
  ExpectCorner(v[0], -1, -1, 0, 0, 1);
  ExpectCorner(v[3], 1, 1, 0, 1, 0);
  EXPECT_EQ(v[2].colour, 0xFFFFFFFFu);
  BillboardQuadBuffer->Unlock();
}

TEST_F(QuadTest, DrawQuadPlacesTheUnitQuadWithC60AndC61) {
  D3DXMatrixTranslation(&WorldMatrix, 7, 7, 7);
  const D3DXMATRIX world = WorldMatrix;
  drawQuad("nothing", 0, 0, 2, 1.5f);
  ASSERT_EQ(device->Draws().size(), 1u);
  const auto& draw = device->Draws()[0];
  EXPECT_EQ(VertexConstant(device, 60), (std::vector<float>{-1, 0.75f, 2, -1.5f}));
  EXPECT_EQ(VertexConstant(device, 61), (std::vector<float>{0, 0, 1, 1}));
  EXPECT_EQ(draw.type, D3DPT_TRIANGLESTRIP);
  EXPECT_EQ(draw.primitiveCount, 2u);
  EXPECT_EQ(draw.state.stream, UnitQuadBuffer);
  EXPECT_EQ(draw.state.streamStride, 56u);
  EXPECT_EQ(draw.state.vertexShader, Shaders.vertexProgram("iface"));
  EXPECT_EQ(draw.state.pixelShader, nullptr);
  EXPECT_EQ(draw.state.renderStates[D3DRS_ZENABLE], 0u);
  EXPECT_EQ(draw.state.textures[0], Textures.errorTexture);
  // Afterwards: depth test on, W restored, material "empty" bound.
  EXPECT_EQ(device->State().renderStates[D3DRS_ZENABLE], 1u);
  EXPECT_EQ(WorldMatrix, world);
  EXPECT_EQ(device->State().vertexShader, Materials.find("empty")->vertexShader);
  EXPECT_EQ(PixelConstant(device, 24), (std::vector<float>{128, 128, 128, 1}));
}

TEST_F(QuadTest, DrawQuadRegionOnlyLoadsConstantsAndDraws) {
  Device->SetStreamSource(0, UnitQuadBuffer, 0, 56);
  device->ClearLog();
  drawQuadRegion(0.5f, 0.25f, 0.1f, 0.2f, 0.125f, 0.5f, 0.0625f, 0.25f);
  EXPECT_EQ(VertexConstant(device, 60), (std::vector<float>{-0.5f, 0.5f, 0.1f, -0.2f}));
  EXPECT_EQ(VertexConstant(device, 61), (std::vector<float>{0.125f, 0.5f, 0.0625f, 0.25f}));
  std::vector<d3d9::CallKind> kinds;
  for (const auto& call : device->Calls()) kinds.push_back(call.kind);
  EXPECT_EQ(kinds, (std::vector<d3d9::CallKind>{d3d9::CallKind::SetVertexShaderConstantF,
                                                  d3d9::CallKind::SetVertexShaderConstantF,
                                                  d3d9::CallKind::DrawPrimitive}));
}

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

TEST_F(QuadTest, FixedFunctionBillboardsAreComputedOnTheProcessor) {
  UseShaderPath(false);
  OrientCamera(camera, D3DXVECTOR3(0, 0, 0), 0, 90, 0);  // right (0, 0, 1), up (0, 1, 0)
  const uint8_t colour[4] = {255, 128, 0, 200};
  beginBillboards("nothing", colour);
  drawBillboard(D3DXVECTOR3(10, 0, 0), 4, 2);
  ASSERT_EQ(device->Draws().size(), 1u);
  auto v = VerticesOf(device->Draws()[0]);
  ASSERT_EQ(v.size(), 4u);
  const float corners[4][3] = {{10, -1, -2}, {10, -1, 2}, {10, 1, -2}, {10, 1, 2}};
  const float uvs[4][2] = {{0, 1}, {1, 1}, {0, 0}, {1, 0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(v[i].position.x, corners[i][0], 1e-5) << i;
    EXPECT_NEAR(v[i].position.y, corners[i][1], 1e-5) << i;
    EXPECT_NEAR(v[i].position.z, corners[i][2], 1e-5) << i;
    EXPECT_EQ(v[i].u0, uvs[i][0]);
    EXPECT_EQ(v[i].v0, uvs[i][1]);
    EXPECT_EQ(v[i].colour, 0xC8FF8000u);
  }
  EXPECT_EQ(device->Draws()[0].state.vertexShader, nullptr);
  endBillboards();
  EXPECT_EQ(device->State().renderStates[D3DRS_ZWRITEENABLE], 1u);
}

}  // namespace
