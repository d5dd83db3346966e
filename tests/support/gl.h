#pragma once
// A window and an OpenGL device for rendering tests, run headless: the
// device alone, or with the game's own set-up on it; pixel comparisons.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/camera.h"
#include "app/engine.h"
#include "core/graphics_device.h"
#include "core/options.h"
#include "d3dutil/math.h"
#include "d3dutil/shader_assembler.h"
#include "platform/d3d9/d3d9.h"
#include "core/test_hooks.h"
#include "platform/test_hooks.h"
#include "platform/window.h"
#include "render/billboards.h"
#include "render/interface_quads.h"
#include "render/material.h"
#include "render/quad_buffers.h"
#include "render/render_steps.h"
#include "render/texture_cache.h"
#include "render/transforms.h"
#include "support/files.h"
#include "ui/font.h"

using testfiles::CopyGameShaders;

// The game's 56-byte vertex.
struct TestVertex {
  float x, y, z;
  float nx, ny, nz;
  D3DCOLOR colour;
  float u, v;
  float u1, v1;
  float tx, ty, tz;
};
static_assert(sizeof(TestVertex) == 56);

constexpr DWORD kTestFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX3;

inline TestVertex MakeVertex(float x, float y, float z, D3DCOLOR colour = 0xFFFFFFFF, float u = 0, float v = 0) {
  return TestVertex{x, y, z, 0, 0, -1, colour, u, v, 0, 0, 0, 0, 0};
}

// A quad from (x0, y0) to (x1, y1) in clip units, as a 4-vertex strip whose
// first corner is the top left; uv (0,0) at the top left.
inline std::vector<TestVertex> QuadStrip(float x0, float y0, float x1, float y1, float z, D3DCOLOR colour) {
  return {MakeVertex(x0, y0, z, colour, 0, 0), MakeVertex(x1, y0, z, colour, 1, 0),
          MakeVertex(x0, y1, z, colour, 0, 1), MakeVertex(x1, y1, z, colour, 1, 1)};
}

constexpr D3DCOLOR kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                   kBlack = 0xFF000000;
// The game's window, and its interface units (two across) in pixels.
constexpr int kScreenWidth = 800, kScreenHeight = 600;
constexpr float kPixelsPerUnit = kScreenWidth / 2.0f;

inline int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }
inline int Red(uint32_t argb) { return Channel(argb, 16); }
inline int Green(uint32_t argb) { return Channel(argb, 8); }
inline int Blue(uint32_t argb) { return Channel(argb, 0); }

// True when each of red, green and blue is within `tolerance` of the expected.
inline bool RgbNear(uint32_t actual, uint32_t expected, int tolerance = 2) {
  for (int shift : {0, 8, 16})
    if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) return false;
  return true;
}

inline std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", value);
  return text;
}

#define EXPECT_RGB_NEAR(actual, expected) \
  EXPECT_TRUE(RgbNear((actual), (expected))) << "got " << Hex(actual) << ", expected " << Hex(expected)

// Offscreen unless a display is there to watch.
inline void Headless() {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
}

class GlDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Headless();
    d3d9::SetBackend(d3d9::Backend::OpenGL);
  }

  void TearDown() override {
    if (device) device->Release();
    if (direct3d) direct3d->Release();
    if (window) DestroyWindow(window);
    d3d9::ForceFixedFunctionCaps(false);
  }

  // False (the test should skip) when this machine offers no OpenGL.
  bool Open(int width = 64, int height = 64, D3DMULTISAMPLE_TYPE samples = D3DMULTISAMPLE_NONE) {
    window = CreatePlatformWindow("Kestrin test", width, height, false);
    if (!window) return false;
    direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (!direct3d) return false;
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferWidth = width;
    pp.BackBufferHeight = height;
    pp.BackBufferCount = 1;
    pp.MultiSampleType = samples;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.Windowed = 1;
    pp.EnableAutoDepthStencil = 1;
    pp.AutoDepthStencilFormat = D3DFMT_D24X8;
    pp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    if (FAILED(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp,
                                      &device)))
      return false;
    width_ = width;
    height_ = height;
    // Plain drawing: no culling, no lighting, no blending, depth test on.
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_LIGHTING, 0);
    device->SetFVF(kTestFvf);
    return true;
  }

  void Clear(D3DCOLOR colour) { device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, colour, 1.0f, 0); }

  void DrawStrip(const std::vector<TestVertex>& v) {
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, UINT(v.size() - 2), v.data(), sizeof(TestVertex)));
  }

  // Cleared to `background`, covered by one quad of `colour`, read back.
  std::vector<uint32_t> FullQuad(D3DCOLOR colour, D3DCOLOR background = 0xFF000000) {
    Clear(background);
    DrawStrip(QuadStrip(-1, 1, 1, -1, 0.5f, colour));
    return Read();
  }

  std::vector<uint32_t> Read() {
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    EXPECT_EQ(D3D_OK, device->ReadBackBuffer(&pixels, &w, &h));
    EXPECT_EQ(width_, w);
    EXPECT_EQ(height_, h);
    return pixels;
  }
  uint32_t Pixel(const std::vector<uint32_t>& pixels, int x, int y) const { return pixels[size_t(y) * width_ + x]; }

  d3d9::Texture* MakeTexture(int w, int h, const std::vector<uint32_t>& argb, UINT levels = 1) {
    d3d9::Texture* texture = nullptr;
    EXPECT_EQ(D3D_OK, device->CreateTexture(w, h, levels, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture));
    D3DLOCKED_RECT locked;
    EXPECT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
    for (int y = 0; y < h; ++y)
      std::memcpy(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch, &argb[size_t(y) * w], w * 4);
    texture->UnlockRect(0);
    return texture;
  }

  static std::vector<uint32_t> Assembled(const std::string& text) {
    std::vector<uint32_t> code;
    std::string errors;
    EXPECT_EQ(D3D_OK, D3DXAssembleShader(text.c_str(), unsigned(text.size()), &code, &errors)) << errors;
    return code;
  }
  d3d9::VertexShader* VertexShaderFrom(const std::string& text) {
    d3d9::VertexShader* shader = nullptr;
    EXPECT_EQ(D3D_OK, device->CreateVertexShader(Assembled(text).data(), &shader));
    return shader;
  }
  d3d9::PixelShader* PixelShaderFrom(const std::string& text) {
    d3d9::PixelShader* shader = nullptr;
    EXPECT_EQ(D3D_OK, device->CreatePixelShader(Assembled(text).data(), &shader));
    return shader;
  }

  HWND window = nullptr;
  d3d9::Direct3D* direct3d = nullptr;
  d3d9::Device* device = nullptr;
  int width_ = 0, height_ = 0;
};

#define OPEN_OR_SKIP(...) \
  if (!Open(__VA_ARGS__)) GTEST_SKIP() << "no OpenGL 3.3 here"

// The game's own device set-up and rendering start-up on OpenGL, in a fresh
// working folder; each test starts it with the size and path it needs.
class GameDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override { Headless(); }

  void TearDown() override {
    ReleaseFonts();
    if (Device) {
      ReleaseTexturesShadersAndMaterials();
      ReleaseRenderNames();
      ReleaseUnitQuadBuffer();
      ReleaseBillboardQuadBuffer();
      ReleaseGraphicsDevice();
    }
    ClearCameras();
    if (Window.MainWindow) DestroyWindow(Window.MainWindow);
    Window.MainWindow = nullptr;
    d3d9::ForceFixedFunctionCaps(false);
  }

  // False when there is no OpenGL here.
  bool StartDevice(int width, int height, bool shaders) {
    d3d9::SetBackend(d3d9::Backend::OpenGL);
    d3d9::ForceFixedFunctionCaps(!shaders);
    width_ = Options.width = width;
    height_ = Options.height = height;
    Options.multisample = Options.anisotropic = Options.fullScreen = 0;
    Window.AspectRatio = static_cast<float>(height) / width;
    Window.MainWindow = CreatePlatformWindow("Kestrin test", width, height, false);
    if (!Window.MainWindow) return false;
    SetGraphicsDeviceExit([](int) {});
    CreateGraphicsDevice();
    if (!Device) return false;
    LoadShadersTexturesAndErrorMesh();
    CreateMaterialEmpty();
    CreateUnitQuadBuffer();
    CreateBillboardQuadBuffer();
    return true;
  }

  // A cleared frame in the interface pass, as the frame loop sets it up.
  void BeginInterface(D3DCOLOR background, bool loading = false) {
    const float white[4] = {1, 1, 1, 1};
    Device->SetPixelShaderConstantF(16, white, 1);
    Device->BeginScene();
    Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, background, 1.0f, 0);
    Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    BindSceneMaterialAndTexture();
    EnterInterfacePass(loading);
  }

  void EnterInterfacePass(bool loading) {
    Device->SetRenderState(D3DRS_ZENABLE, 0);
    Graphics.WorldMatrix = Graphics.InterfaceWorldMatrix;
    Graphics.ViewMatrix = Graphics.InterfaceViewMatrix;
    Graphics.ProjectionMatrix = Graphics.InterfaceProjectionMatrix;
    Device->SetTransform(D3DTS_PROJECTION, &Graphics.ProjectionMatrix);
    Device->SetTransform(D3DTS_WORLD, &Graphics.WorldMatrix);
    Device->SetTransform(D3DTS_VIEW, &Graphics.ViewMatrix);
    UploadTransforms();
    BeginInterfaceQuads(loading);
  }

  std::vector<uint32_t> Finish() {
    Device->EndScene();
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    EXPECT_EQ(Device->ReadBackBuffer(&pixels, &w, &h), D3D_OK);
    EXPECT_EQ(w, width_);
    EXPECT_EQ(h, height_);
    pixels.resize(size_t(width_) * height_);
    return pixels;
  }

  testfiles::WorkingFolder dir;
  int width_ = 0, height_ = 0;
};
