#include "core/graphics_device.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/engine.h"
#include "core/options.h"
#include "platform/d3d9/recording/recording_device.h"
#include "platform/test_hooks.h"

namespace {

using d3d9::CallKind;

int exitCode = -1;
void RecordExit(int code) { exitCode = code; }

class GraphicsDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    d3d9::SetBackend(d3d9::Backend::Recording);
    d3d9::TheRecordingConfig = d3d9::RecordingConfig();
    GraphicsDeviceExit = RecordExit;
    exitCode = -1;
    res_width = 800;
    res_height = 600;
    foolscreen = 0;
    multysample = 0;
    AspectRatio = float(res_height) / float(res_width);
  }
  void TearDown() override {
    ReleaseGraphicsDevice();
    d3d9::TheRecordingConfig = d3d9::RecordingConfig();
    d3d9::SetBackend(d3d9::Backend::OpenGL);
    foolscreen = 0;
    multysample = 0;
  }

  d3d9::RecordingDevice* Recorded() { return static_cast<d3d9::RecordingDevice*>(Device); }

  // Creates the device and returns the multisampling the device was asked for.
  D3DMULTISAMPLE_TYPE SamplesFor(int option) {
    ReleaseGraphicsDevice();
    multysample = option;
    CreateGraphicsDevice();
    EXPECT_NE(nullptr, Device);
    return Recorded() ? Recorded()->PresentParameters().MultiSampleType : D3DMULTISAMPLE_NONE;
  }
};

TEST_F(GraphicsDeviceTest, MultisamplingIsUsedOnlyForAcceptedCountsOfTwoFourOrEight) {
  EXPECT_EQ(D3DMULTISAMPLE_4_SAMPLES, SamplesFor(4));
  EXPECT_EQ(1, Multisample2Supported);
  EXPECT_EQ(1, Multisample4Supported);
  EXPECT_EQ(1, Multisample8Supported);
  EXPECT_EQ(D3DMULTISAMPLE_8_SAMPLES, SamplesFor(8));
  EXPECT_EQ(D3DMULTISAMPLE_NONE, SamplesFor(3));
  EXPECT_EQ(D3DMULTISAMPLE_NONE, SamplesFor(16));
  EXPECT_EQ(D3DMULTISAMPLE_NONE, SamplesFor(0));
  EXPECT_EQ(0u, PresentParameters.MultiSampleQuality);

  d3d9::TheRecordingConfig.acceptedSamples = {D3DMULTISAMPLE_2_SAMPLES};
  EXPECT_EQ(D3DMULTISAMPLE_NONE, SamplesFor(4));
  EXPECT_EQ(1, Multisample2Supported);
  EXPECT_EQ(0, Multisample4Supported);
  EXPECT_EQ(0, Multisample8Supported);
  EXPECT_EQ(D3DMULTISAMPLE_2_SAMPLES, SamplesFor(2));
}

TEST_F(GraphicsDeviceTest, WindowedLeavesTheFormatToTheDesktopAndFullScreenAsksForArgb) {
  CreateGraphicsDevice();
  ASSERT_NE(nullptr, Device);
  const D3DPRESENT_PARAMETERS& windowed = Recorded()->PresentParameters();
  EXPECT_EQ(800u, windowed.BackBufferWidth);
  EXPECT_EQ(600u, windowed.BackBufferHeight);
  EXPECT_EQ(D3DFMT_UNKNOWN, windowed.BackBufferFormat);
  EXPECT_EQ(1, windowed.Windowed);
  EXPECT_EQ(1u, windowed.BackBufferCount);
  EXPECT_EQ(D3DSWAPEFFECT_DISCARD, windowed.SwapEffect);
  EXPECT_EQ(nullptr, windowed.hDeviceWindow);
  EXPECT_EQ(1, windowed.EnableAutoDepthStencil);
  EXPECT_EQ(D3DFMT_D24X8, windowed.AutoDepthStencilFormat);
  EXPECT_EQ(0u, windowed.Flags);
  EXPECT_EQ(D3DPRESENT_INTERVAL_IMMEDIATE, windowed.PresentationInterval);
  EXPECT_EQ(DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING), Recorded()->BehaviorFlags());

  ReleaseGraphicsDevice();
  foolscreen = 1;
  CreateGraphicsDevice();
  ASSERT_NE(nullptr, Device);
  const D3DPRESENT_PARAMETERS& full = Recorded()->PresentParameters();
  EXPECT_EQ(D3DFMT_A8R8G8B8, full.BackBufferFormat);
  EXPECT_EQ(0, full.Windowed);
  EXPECT_EQ(0u, full.FullScreen_RefreshRateInHz);
}

TEST_F(GraphicsDeviceTest, SceneProjectionHasTheSameFieldOfViewAt800And1024) {
  for (int width : {800, 1024}) {
    ReleaseGraphicsDevice();
    res_width = width;
    res_height = width * 3 / 4;
    AspectRatio = float(res_height) / float(res_width);
    CreateGraphicsDevice();
    ASSERT_NE(nullptr, Device);
    // 67.5 degrees vertically, aspect 4:3, near 0.01, far 800.
    float yScale = 1.0f / std::tan(67.5f * 3.14159265f / 360.0f);
    EXPECT_NEAR(yScale, SceneProjectionMatrix._22, 1e-4f);
    EXPECT_NEAR(yScale * 0.75f, SceneProjectionMatrix._11, 1e-4f);
    EXPECT_NEAR(800.0f / (800.0f - 0.01f), SceneProjectionMatrix._33, 1e-5f);
    EXPECT_NEAR(-0.01f * 800.0f / (800.0f - 0.01f), SceneProjectionMatrix._43, 1e-5f);
    EXPECT_EQ(1.0f, SceneProjectionMatrix._34);
    EXPECT_TRUE(ProjectionMatrix == SceneProjectionMatrix);
    const D3DMATRIX& set = Recorded()->State().projection;
    EXPECT_EQ(0, std::memcmp(&set, &SceneProjectionMatrix, sizeof set));
  }
  // The interface: 2 units across, 1.5 down, seen from the origin towards -z.
  EXPECT_NEAR(1.0f, InterfaceProjectionMatrix._11, 1e-6f);
  EXPECT_NEAR(2.0f / 1.5f, InterfaceProjectionMatrix._22, 1e-6f);
  // The scene's first view mirrors x (a left-handed look-at towards -z); the
  // interface's keeps left on the left.
  EXPECT_NEAR(-1.0f, ViewMatrix._11, 1e-6f);
  EXPECT_NEAR(1.0f, InterfaceViewMatrix._11, 1e-6f);
  EXPECT_NEAR(1.0f, InterfaceViewMatrix._22, 1e-6f);
  EXPECT_NEAR(-1.0f, InterfaceViewMatrix._33, 1e-6f);
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  EXPECT_TRUE(WorldMatrix == identity);
  EXPECT_TRUE(SceneWorldMatrix == identity);
  EXPECT_TRUE(InterfaceWorldMatrix == identity);
}

TEST_F(GraphicsDeviceTest, RenderAndSamplerStatesAreSetInOrder) {
  CreateGraphicsDevice();
  ASSERT_NE(nullptr, Device);
  std::vector<std::pair<DWORD, DWORD>> states;
  for (const auto& call : Recorded()->CallsOf(CallKind::SetRenderState)) states.push_back({call.a, call.b});
  std::vector<std::pair<DWORD, DWORD>> expected{
      {D3DRS_ALPHABLENDENABLE, 1}, {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA}, {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
      {D3DRS_BLENDOP, D3DBLENDOP_ADD}, {D3DRS_ALPHAREF, 240}, {D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL},
      {D3DRS_ALPHATESTENABLE, 0}, {D3DRS_CULLMODE, D3DCULL_CCW}, {D3DRS_LIGHTING, 0}, {D3DRS_ZENABLE, 1}};
  EXPECT_EQ(expected, states);

  std::vector<std::vector<DWORD>> samplers;
  for (const auto& call : Recorded()->CallsOf(CallKind::SetSamplerState)) samplers.push_back({call.a, call.b, call.c});
  std::vector<std::vector<DWORD>> expectedSamplers{{1, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP},
                                                   {1, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP},
                                                   {0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP},
                                                   {0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP}};
  EXPECT_EQ(expectedSamplers, samplers);

  // Transforms: projection, then world, then view; all before the states.
  auto transforms = Recorded()->CallsOf(CallKind::SetTransform);
  ASSERT_EQ(3u, transforms.size());
  EXPECT_EQ(DWORD(D3DTS_PROJECTION), transforms[0].a);
  EXPECT_EQ(DWORD(D3DTS_WORLD), transforms[1].a);
  EXPECT_EQ(DWORD(D3DTS_VIEW), transforms[2].a);
  EXPECT_EQ(CallKind::SetTransform, Recorded()->Calls().front().kind);
}

TEST_F(GraphicsDeviceTest, ShaderPathUsesTheVertexDeclarationAndFixedFunctionTheFvf) {
  CreateGraphicsDevice();
  ASSERT_NE(nullptr, Device);
  EXPECT_EQ(1, ShaderPath);
  EXPECT_EQ(0u, VertexFormat);
  ASSERT_NE(nullptr, VertexDeclaration);
  const auto& elements = VertexDeclaration->Elements();
  ASSERT_EQ(6u, elements.size());
  const WORD offsets[6] = {0, 12, 24, 28, 36, 44};
  const BYTE types[6] = {D3DDECLTYPE_FLOAT3, D3DDECLTYPE_FLOAT3, D3DDECLTYPE_D3DCOLOR,
                         D3DDECLTYPE_FLOAT2, D3DDECLTYPE_FLOAT2, D3DDECLTYPE_FLOAT3};
  const BYTE usages[6] = {D3DDECLUSAGE_POSITION, D3DDECLUSAGE_NORMAL, D3DDECLUSAGE_COLOR,
                          D3DDECLUSAGE_TEXCOORD, D3DDECLUSAGE_TEXCOORD, D3DDECLUSAGE_BINORMAL};
  const BYTE indices[6] = {0, 0, 0, 0, 1, 0};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(0, elements[i].Stream);
    EXPECT_EQ(offsets[i], elements[i].Offset);
    EXPECT_EQ(types[i], elements[i].Type);
    EXPECT_EQ(D3DDECLMETHOD_DEFAULT, elements[i].Method);
    EXPECT_EQ(usages[i], elements[i].Usage);
    EXPECT_EQ(indices[i], elements[i].UsageIndex);
  }
  EXPECT_EQ(VertexDeclaration, Recorded()->State().declaration);
  auto fvf = Recorded()->CallsOf(CallKind::SetFVF);
  ASSERT_EQ(1u, fvf.size());
  EXPECT_EQ(0u, fvf[0].a);
  EXPECT_EQ(CallKind::SetFVF, Recorded()->Calls().back().kind);

  // Vertex shader 2.0 with pixel shader 1.4 is not enough for the shader path.
  ReleaseGraphicsDevice();
  d3d9::TheRecordingConfig.caps.PixelShaderVersion = D3DPS_VERSION(1, 4);
  CreateGraphicsDevice();
  ASSERT_NE(nullptr, Device);
  EXPECT_EQ(0, ShaderPath);
  EXPECT_EQ(nullptr, VertexDeclaration);
  EXPECT_EQ(0x352u, VertexFormat);
  EXPECT_EQ(0x352u, Recorded()->State().fvf);
  EXPECT_TRUE(Recorded()->CallsOf(CallKind::SetVertexDeclaration).empty());
}

TEST_F(GraphicsDeviceTest, CapsDecideVertexProcessingAndAnisotropy) {
  d3d9::TheRecordingConfig.caps.DevCaps = 0;
  d3d9::TheRecordingConfig.caps.TextureFilterCaps = D3DPTFILTERCAPS_MINFANISOTROPIC;
  CreateGraphicsDevice();
  ASSERT_NE(nullptr, Device);
  EXPECT_EQ(DWORD(D3DCREATE_SOFTWARE_VERTEXPROCESSING), Recorded()->BehaviorFlags());
  EXPECT_EQ(0, AnisotropySupported);

  ReleaseGraphicsDevice();
  d3d9::TheRecordingConfig.caps.TextureFilterCaps |= D3DPTFILTERCAPS_MAGFANISOTROPIC;
  CreateGraphicsDevice();
  EXPECT_EQ(1, AnisotropySupported);
}

TEST_F(GraphicsDeviceTest, WithoutDirect3DTheMessageSaysSoAndTheProcessEnds) {
  d3d9::SetBackend(d3d9::Backend::Unavailable);
  ::testing::internal::CaptureStderr();
  CreateGraphicsDevice();
  std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, said.find("DX9 not present: DX9 not present")) << said;
  EXPECT_EQ(0, exitCode);
  EXPECT_EQ(nullptr, Direct3D);
  EXPECT_EQ(nullptr, Device);
}

TEST_F(GraphicsDeviceTest, AFailedDeviceReleasesDirect3DAndEndsTheProcess) {
  d3d9::TheRecordingConfig.failCreateDevice = true;
  ::testing::internal::CaptureStderr();
  CreateGraphicsDevice();
  std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, said.find("Device creating fault: not support DX9.0c: Error")) << said;
  EXPECT_EQ(0, exitCode);
  EXPECT_EQ(nullptr, Direct3D);
  EXPECT_EQ(nullptr, Device);
}

}  // namespace
