#pragma once
// Rendering tests run on the recording device, in a fresh working folder, with
// the registries emptied before and after each test and fatal errors caught.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/camera.h"
#include "core/graphics_device.h"
#include "core/options.h"
#include "core/test_hooks.h"
#include "platform/d3d9/recording/recording_device.h"
#include "render/material.h"
#include "render/mesh_registry.h"
#include "render/shader_library.h"
#include "render/texture_cache.h"
#include "support/files.h"

using testfiles::CopyGameShaders;

namespace support {
// The recording device with the game's present parameters (a depth buffer).
inline d3d9::RecordingDevice* NewRecordingDevice() {
  D3DPRESENT_PARAMETERS parameters{};
  parameters.EnableAutoDepthStencil = 1;
  return new d3d9::RecordingDevice(parameters, D3DCREATE_HARDWARE_VERTEXPROCESSING);
}
}  // namespace support

namespace rendertest {

inline std::vector<int> FatalExits;

inline void RecordFatalExit(int code) { FatalExits.push_back(code); }

inline void ResetRegistries() {
  Materials.release();
  Shaders.release();
  Shaders.releaseNames();
  Shaders = ShaderLibrary();
  Textures.release();
  Textures.releaseNames();
  Meshes.release();
  Meshes.releaseNames();
}

class RenderTest : public testing::Test {
 public:
  std::string Write(const std::string& name, const std::string& text) { return dir.Write(name, text); }

 protected:
  void SetUp() override {
    device = support::NewRecordingDevice();
    Device = device;
    UseShaderPath(true);
    Options.anisotropic = 0;
    Graphics.AnisotropySupported = 0;
    Graphics.DeviceCaps = D3DCAPS9{};
    for (D3DXMATRIX* m : {&Graphics.WorldMatrix, &Graphics.ViewMatrix, &Graphics.ProjectionMatrix,
                          &Graphics.SceneWorldMatrix, &Graphics.SceneProjectionMatrix, &Graphics.InterfaceWorldMatrix,
                          &Graphics.InterfaceViewMatrix, &Graphics.InterfaceProjectionMatrix})
      D3DXMatrixIdentity(m);
    FatalExits.clear();
    previousExit = SetGraphicsDeviceExit(RecordFatalExit);
  }

  void TearDown() override {
    ResetRegistries();
    SetGraphicsDeviceExit(previousExit);
    Device = nullptr;
    device->Release();
  }

  void UseShaderPath(bool on) {
    Graphics.ShaderPath = on ? 1 : 0;
    Graphics.VertexFormat = on ? 0 : 0x352;
  }

  testfiles::WorkingFolder dir;
  d3d9::RecordingDevice* device = nullptr;
  DeviceExit previousExit = nullptr;
};

}  // namespace rendertest
