#include "platform/d3d9/recording/recording_device.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/d3d9/shader_bytecode.h"

namespace {

using d3d9::CallKind;

D3DPRESENT_PARAMETERS Parameters(bool depth = true) {
  D3DPRESENT_PARAMETERS pp{};
  pp.BackBufferWidth = 32;
  pp.BackBufferHeight = 16;
  pp.EnableAutoDepthStencil = depth ? 1 : 0;
  return pp;
}

struct Vertex {
  float x, y, z;
  uint32_t colour;
};

class RecordingDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override { device = new d3d9::RecordingDevice(Parameters(), D3DCREATE_HARDWARE_VERTEXPROCESSING); }
  void TearDown() override {
    device->Release();
    d3d9::TheRecordingConfig = d3d9::RecordingConfig();
    d3d9::SetBackend(d3d9::Backend::OpenGL);
  }

  d3d9::VertexBuffer* BufferOf(const std::vector<Vertex>& vertices) {
    d3d9::VertexBuffer* buffer = nullptr;
    EXPECT_EQ(D3D_OK, device->CreateVertexBuffer(UINT(vertices.size() * sizeof(Vertex)), 0, 0, D3DPOOL_DEFAULT,
                                                 &buffer));
    void* data = nullptr;
    EXPECT_EQ(D3D_OK, buffer->Lock(0, 0, &data, 0));
    std::memcpy(data, vertices.data(), vertices.size() * sizeof(Vertex));
    EXPECT_EQ(D3D_OK, buffer->Unlock());
    return buffer;
  }

  d3d9::RecordingDevice* device = nullptr;
};

TEST_F(RecordingDeviceTest, DrawsCopyTheVerticesTheyRead) {
  std::vector<Vertex> vertices;
  for (int i = 0; i < 8; ++i) vertices.push_back({float(i), 0, 0, 0xFF000000u | uint32_t(i)});
  d3d9::VertexBuffer* buffer = BufferOf(vertices);
  device->SetStreamSource(0, buffer, sizeof(Vertex), sizeof(Vertex));
  ASSERT_EQ(D3D_OK, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 2, 2));
  ASSERT_EQ(1u, device->Draws().size());
  const auto& draw = device->Draws()[0];
  EXPECT_EQ(D3DPT_TRIANGLESTRIP, draw.type);
  EXPECT_EQ(2u, draw.startVertex);
  EXPECT_EQ(2u, draw.primitiveCount);
  EXPECT_FALSE(draw.fromMemory);
  ASSERT_EQ(4 * sizeof(Vertex), draw.vertices.size());
  Vertex first;
  std::memcpy(&first, draw.vertices.data(), sizeof first);
  EXPECT_EQ(3.0f, first.x);  // offset one vertex, start vertex 2
  EXPECT_EQ(buffer, draw.state.stream);

  // A list needing more vertices than the buffer holds is refused.
  EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 3));
  EXPECT_EQ(1u, device->Draws().size());

  const Vertex line[2] = {{1, 2, 3, 0xFFFF0000}, {4, 5, 6, 0xFF00FF00}};
  ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_LINELIST, 1, line, sizeof(Vertex)));
  ASSERT_EQ(2u, device->Draws().size());
  EXPECT_TRUE(device->Draws()[1].fromMemory);
  EXPECT_EQ(0, std::memcmp(line, device->Draws()[1].vertices.data(), sizeof line));
  // As in Direct3D, drawing from memory unsets stream 0.
  EXPECT_EQ(nullptr, device->State().stream);
  auto draws = device->CallsOf(CallKind::DrawPrimitiveUP);
  ASSERT_EQ(1u, draws.size());
  EXPECT_EQ(1, draws[0].draw);
  buffer->Release();
}

TEST_F(RecordingDeviceTest, BoundObjectsStayAliveUntilUnbound) {
  d3d9::Texture* texture = nullptr;
  ASSERT_EQ(D3D_OK, device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture));
  device->SetTexture(0, texture);
  EXPECT_EQ(1u, texture->Release());  // the device's reference remains
  EXPECT_EQ(texture, device->State().textures[0]);
  D3DSURFACE_DESC desc;
  EXPECT_EQ(D3D_OK, device->State().textures[0]->GetLevelDesc(0, &desc));
  device->SetTexture(0, nullptr);
  EXPECT_EQ(nullptr, device->State().textures[0]);
}

TEST_F(RecordingDeviceTest, ResourcesCheckTheirBounds) {
  d3d9::VertexBuffer* buffer = nullptr;
  ASSERT_EQ(D3D_OK, device->CreateVertexBuffer(224, D3DUSAGE_WRITEONLY, 0x352, D3DPOOL_DEFAULT, &buffer));
  void* data = nullptr;
  EXPECT_EQ(D3DERR_INVALIDCALL, buffer->Lock(200, 40, &data, 0));
  EXPECT_EQ(D3D_OK, buffer->Lock(168, 56, &data, 0));
  EXPECT_EQ(D3DERR_INVALIDCALL, buffer->Lock(0, 0, &data, 0));  // already locked
  EXPECT_EQ(D3D_OK, buffer->Unlock());
  EXPECT_EQ(D3DERR_INVALIDCALL, buffer->Unlock());
  buffer->Release();
  EXPECT_EQ(D3DERR_INVALIDCALL, device->CreateVertexBuffer(0, 0, 0, D3DPOOL_DEFAULT, &buffer));

  d3d9::Texture* texture = nullptr;
  ASSERT_EQ(D3D_OK, device->CreateTexture(8, 2, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture));
  EXPECT_EQ(4u, texture->GetLevelCount());  // 8x2, 4x1, 2x1, 1x1
  D3DSURFACE_DESC desc;
  ASSERT_EQ(D3D_OK, texture->GetLevelDesc(3, &desc));
  EXPECT_EQ(1u, desc.Width);
  EXPECT_EQ(D3DERR_INVALIDCALL, texture->GetLevelDesc(4, &desc));
  D3DLOCKED_RECT locked;
  RECT inside{2, 0, 4, 1}, outside{6, 0, 9, 1};
  EXPECT_EQ(D3DERR_INVALIDCALL, texture->LockRect(0, &locked, &outside, 0));
  ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, &inside, 0));
  EXPECT_EQ(32, locked.Pitch);
  texture->UnlockRect(0);
  texture->Release();
  EXPECT_EQ(D3DERR_INVALIDCALL, device->CreateTexture(0, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture));
  EXPECT_EQ(D3DERR_INVALIDCALL,
            device->CreateTexture(1u << 20, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture));
  EXPECT_EQ(nullptr, texture);
}

TEST_F(RecordingDeviceTest, FactoryFollowsTheChosenBackendAndConfiguration) {
  d3d9::SetBackend(d3d9::Backend::Unavailable);
  EXPECT_EQ(nullptr, Direct3DCreate9(D3D_SDK_VERSION));
  d3d9::SetBackend(d3d9::Backend::Recording);
  EXPECT_EQ(nullptr, Direct3DCreate9(32));
  d3d9::Direct3D* d3d = Direct3DCreate9(D3D_SDK_VERSION);
  ASSERT_NE(nullptr, d3d);

  d3d9::TheRecordingConfig.acceptedSamples = {D3DMULTISAMPLE_2_SAMPLES};
  EXPECT_EQ(D3D_OK, d3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8, 0,
                                                    D3DMULTISAMPLE_2_SAMPLES, nullptr));
  EXPECT_EQ(D3DERR_NOTAVAILABLE, d3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8, 0,
                                                                 D3DMULTISAMPLE_4_SAMPLES, nullptr));
  D3DPRESENT_PARAMETERS pp = Parameters();
  d3d9::Device* created = nullptr;
  ASSERT_EQ(D3D_OK, d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &created));
  EXPECT_EQ(created, d3d9::LastRecordingDevice());
  EXPECT_EQ(D3DCREATE_SOFTWARE_VERTEXPROCESSING, d3d9::LastRecordingDevice()->BehaviorFlags());
  std::vector<uint32_t> pixels;
  int w = 0, h = 0;
  EXPECT_EQ(D3D_OK, created->ReadBackBuffer(&pixels, &w, &h));
  EXPECT_EQ(32, w);
  EXPECT_EQ(16, h);
  created->Release();
  EXPECT_EQ(nullptr, d3d9::LastRecordingDevice());

  d3d9::TheRecordingConfig.failCreateDevice = true;
  EXPECT_TRUE(FAILED(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &pp, &created)));
  EXPECT_EQ(nullptr, created);
  d3d->Release();
}

}  // namespace
