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

TEST_F(RecordingDeviceTest, StartsWithDirect3DDefaults) {
  const auto& s = device->State();
  EXPECT_EQ(1u, s.renderStates[D3DRS_ZENABLE]);
  EXPECT_EQ(1u, s.renderStates[D3DRS_ZWRITEENABLE]);
  EXPECT_EQ(D3DCULL_CCW, s.renderStates[D3DRS_CULLMODE]);
  EXPECT_EQ(1u, s.renderStates[D3DRS_LIGHTING]);
  EXPECT_EQ(D3DBLEND_ONE, s.renderStates[D3DRS_SRCBLEND]);
  EXPECT_EQ(D3DBLEND_ZERO, s.renderStates[D3DRS_DESTBLEND]);
  EXPECT_EQ(D3DCMP_ALWAYS, s.renderStates[D3DRS_ALPHAFUNC]);
  EXPECT_EQ(D3DTOP_MODULATE, s.stageStates[0][D3DTSS_COLOROP]);
  EXPECT_EQ(D3DTOP_SELECTARG1, s.stageStates[0][D3DTSS_ALPHAOP]);
  EXPECT_EQ(D3DTOP_DISABLE, s.stageStates[1][D3DTSS_COLOROP]);
  EXPECT_EQ(1u, s.stageStates[1][D3DTSS_TEXCOORDINDEX]);
  EXPECT_EQ(D3DTADDRESS_WRAP, s.samplerStates[0][D3DSAMP_ADDRESSU]);
  EXPECT_EQ(D3DTEXF_POINT, s.samplerStates[3][D3DSAMP_MINFILTER]);
  EXPECT_EQ(1.0f, s.world._11);
  EXPECT_EQ(0.0f, s.projection._12);

  d3d9::RecordingDevice noDepth(Parameters(false), 0);
  EXPECT_EQ(0u, noDepth.State().renderStates[D3DRS_ZENABLE]);
}

TEST_F(RecordingDeviceTest, LogsStateCallsInOrderAndKeepsTheValues) {
  device->SetRenderState(D3DRS_ZENABLE, 0);
  device->SetSamplerState(1, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetRenderState(D3DRS_ALPHAREF, 240);
  const float c60[4] = {-1, 0.75f, 2, -1.5f};
  device->SetVertexShaderConstantF(60, c60, 1);
  const float c16[8] = {1, 0.5f, 0, 1, 9, 9, 9, 9};
  device->SetPixelShaderConstantF(16, c16, 2);

  ASSERT_EQ(6u, device->Calls().size());
  auto states = device->CallsOf(CallKind::SetRenderState);
  ASSERT_EQ(2u, states.size());
  EXPECT_EQ(D3DRS_ZENABLE, states[0].a);
  EXPECT_EQ(0u, states[0].b);
  EXPECT_EQ(D3DRS_ALPHAREF, states[1].a);
  EXPECT_EQ(240u, states[1].b);
  EXPECT_EQ(CallKind::SetSamplerState, device->Calls()[1].kind);
  EXPECT_EQ(1u, device->Calls()[1].a);
  EXPECT_EQ(D3DTADDRESS_CLAMP, device->State().samplerStates[1][D3DSAMP_ADDRESSV]);
  EXPECT_EQ(D3DTA_DIFFUSE, device->State().stageStates[0][D3DTSS_COLORARG2]);
  EXPECT_EQ(0.75f, device->State().vertexConstants[60][1]);
  EXPECT_EQ(9.0f, device->State().pixelConstants[17][3]);
  EXPECT_EQ(2u, device->CallsOf(CallKind::SetPixelShaderConstantF)[0].b);

  // Out-of-range registers and states are refused and change nothing.
  EXPECT_EQ(D3DERR_INVALIDCALL, device->SetVertexShaderConstantF(255, c16, 2));
  EXPECT_EQ(D3DERR_INVALIDCALL, device->SetSamplerState(d3d9::kMaxSamplers, D3DSAMP_MAGFILTER, 1));
  EXPECT_EQ(D3DERR_INVALIDCALL, device->SetTransform(D3DTS_TEXTURE0, &device->State().world));
  EXPECT_EQ(6u, device->Calls().size());
  device->ClearLog();
  EXPECT_TRUE(device->Calls().empty());
  EXPECT_EQ(240u, device->State().renderStates[D3DRS_ALPHAREF]);
}

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

TEST_F(RecordingDeviceTest, FvfAndDeclarationReplaceEachOther) {
  const D3DVERTEXELEMENT9 elements[] = {
      {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
      {0, 12, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
      D3DDECL_END(),
  };
  d3d9::VertexDeclaration* declaration = nullptr;
  ASSERT_EQ(D3D_OK, device->CreateVertexDeclaration(elements, &declaration));
  EXPECT_EQ(2u, declaration->Elements().size());
  device->SetFVF(0x352);
  device->SetVertexDeclaration(declaration);
  EXPECT_EQ(0u, device->State().fvf);
  device->SetFVF(0);  // leaves the declaration
  EXPECT_EQ(declaration, device->State().declaration);
  device->SetFVF(0x352);
  EXPECT_EQ(nullptr, device->State().declaration);
  EXPECT_EQ(0x352u, device->State().fvf);
  declaration->Release();

  d3d9::FvfLayout layout = d3d9::LayoutOfFvf(0x352);
  EXPECT_EQ(0, layout.position);
  EXPECT_EQ(12, layout.normal);
  EXPECT_EQ(24, layout.diffuse);
  EXPECT_EQ(28, layout.texcoord[0]);
  EXPECT_EQ(36, layout.texcoord[1]);
  EXPECT_EQ(44, layout.texcoord[2]);
  // The vertices are 56 bytes apart; the format itself covers 52 of them.
  EXPECT_EQ(52u, layout.stride);
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

TEST_F(RecordingDeviceTest, ShadersKeepTheirFunctionUpToTheEndToken) {
  const DWORD dst = D3DSP_PARAMETER_BIT | D3DSPR_REGISTER_TYPE_BITS(D3DSPR_RASTOUT) | D3DSP_WRITEMASK_ALL;
  const DWORD src = D3DSP_PARAMETER_BIT | D3DSPR_REGISTER_TYPE_BITS(D3DSPR_INPUT) | D3DSP_NOSWIZZLE;
  const DWORD function[] = {D3DVS_VERSION(2, 0), D3DSHADER_COMMENT(2), 0x12345678, 0x0000FFFF,
                            D3DSIO_MOV | (2u << 24), dst, src, 0x0000FFFF, 0xDEADBEEF};
  d3d9::VertexShader* vs = nullptr;
  ASSERT_EQ(D3D_OK, device->CreateVertexShader(function, &vs));
  EXPECT_EQ(std::vector<DWORD>(function, function + 8), vs->Function());
  vs->Release();

  d3d9::ParsedShader parsed;
  ASSERT_TRUE(d3d9::ParseShaderFunction(function, false, &parsed));
  ASSERT_EQ(1u, parsed.instructions.size());  // the comment is skipped
  EXPECT_EQ(D3DSIO_MOV, parsed.instructions[0].opcode);
  EXPECT_EQ(2u, parsed.instructions[0].params.size());

  // Shader model 1 has no lengths: def carries four literal values.
  const DWORD model1[] = {D3DVS_VERSION(1, 1), D3DSIO_DEF,
                          D3DSP_PARAMETER_BIT | D3DSPR_REGISTER_TYPE_BITS(D3DSPR_CONST) | D3DSP_WRITEMASK_ALL,
                          0x3F800000, 0, 0, 0x3F800000, D3DSIO_MOV, dst, src, 0x0000FFFF};
  ASSERT_TRUE(d3d9::ParseShaderFunction(model1, false, &parsed));
  ASSERT_EQ(2u, parsed.instructions.size());
  EXPECT_EQ(5u, parsed.instructions[0].params.size());

  d3d9::PixelShader* ps = nullptr;
  EXPECT_EQ(D3DERR_INVALIDCALL, device->CreatePixelShader(function, &ps));  // a vertex version
  EXPECT_EQ(nullptr, ps);
  EXPECT_EQ(1, device->CreatedShaders());
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
