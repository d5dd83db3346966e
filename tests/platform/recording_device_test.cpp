#include "platform/d3d9/recording/recording_device.h"

#include <gtest/gtest.h>

#include "platform/d3d9/shader_bytecode.h"

namespace {

D3DPRESENT_PARAMETERS Parameters(bool depth = true) {
  D3DPRESENT_PARAMETERS pp{};
  pp.BackBufferWidth = 32;
  pp.BackBufferHeight = 16;
  pp.EnableAutoDepthStencil = depth ? 1 : 0;
  return pp;
}

class RecordingDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override { device = new d3d9::RecordingDevice(Parameters(), D3DCREATE_HARDWARE_VERTEXPROCESSING); }
  void TearDown() override {
    device->Release();
    d3d9::TheRecordingConfig = d3d9::RecordingConfig();
    d3d9::SetBackend(d3d9::Backend::OpenGL);
  }

  d3d9::RecordingDevice* device = nullptr;
};

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

}  // namespace
