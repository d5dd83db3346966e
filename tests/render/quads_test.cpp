#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "render/interface_quads.h"
#include "render/quad_buffers.h"
#include "support/recording.h"

namespace {

using rendertest::RenderTest;

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
  }
  void TearDown() override {
    ReleaseUnitQuadBuffer();
    RenderTest::TearDown();
  }
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

}  // namespace
