// The shader path (bytecode from the assembler, translated to GLSL) against
// the fixed-function path: the same scene must come out the same.
#include "platform/test_hooks.h"
#include "support/gl.h"

namespace {


const char* kTransformVs = R"(vs_2_0
dcl_position v0
dcl_color v1
dcl_texcoord0 v2
m4x4 r0, v0, c0          ; world
m4x4 r1, r0, c4          ; view
m4x4 oPos, r1, c8        ; projection
mov oD0, v1
mov oT0.xy, v2
)";

const char* kModulatePs = R"(ps_2_0
dcl v0
dcl t0.xy
dcl_2d s0
texld r0, t0, s0
mul r0, r0, v0
mov oC0, r0
)";

void SetTransposed(d3d9::Device* device, UINT start, const D3DXMATRIX& m) {
  D3DXMATRIX t;
  D3DXMatrixTranspose(&t, &m);
  device->SetVertexShaderConstantF(start, t, 4);
}

struct Camera {
  D3DXMATRIX world, view, projection;
};

Camera SceneCamera(float yaw) {
  Camera c;
  D3DXMatrixRotationY(&c.world, yaw);
  D3DXVECTOR3 eye(0, 1.5f, -4), at(0, 0, 0), up(0, 1, 0);
  D3DXMatrixLookAtLH(&c.view, &eye, &at, &up);
  D3DXMatrixPerspectiveFovLH(&c.projection, 1.0f, 1.0f, 0.1f, 100.0f);
  return c;
}

class ShaderPathTest : public GlDeviceTest {
 protected:
  // Binds the camera for the path chosen: constants c0..c11 for shaders,
  // transforms for the fixed-function pipeline.
  void UseCamera(const Camera& c, bool shaders) {
    if (shaders) {
      SetTransposed(device, 0, c.world);
      SetTransposed(device, 4, c.view);
      SetTransposed(device, 8, c.projection);
    } else {
      device->SetTransform(D3DTS_WORLD, &c.world);
      device->SetTransform(D3DTS_VIEW, &c.view);
      device->SetTransform(D3DTS_PROJECTION, &c.projection);
    }
  }

  // Counts the pixels that differ by more than `tolerance` in a channel.
  static int Differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int tolerance = 2) {
    int count = 0;
    for (size_t i = 0; i < a.size(); ++i)
      if (!RgbNear(a[i], b[i], tolerance)) ++count;
    return count;
  }
};

TEST_F(ShaderPathTest, TexturedBlendedAlphaTestedSceneMatchesTheFixedFunctionPath) {
  OPEN_OR_SKIP(96, 96);
  std::vector<uint32_t> texels;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      uint32_t alpha = (x + y) % 3 == 0 ? 0x40 : 0xFF;
      texels.push_back(alpha << 24 | uint32_t(x * 32) << 16 | uint32_t(y * 32) << 8 | uint32_t(255 - x * 16));
    }
  d3d9::Texture* texture = MakeTexture(8, 8, texels);
  d3d9::VertexShader* vs = VertexShaderFrom(kTransformVs);
  d3d9::PixelShader* ps = PixelShaderFrom(kModulatePs);
  ASSERT_TRUE(vs && ps);
  device->SetTexture(0, texture);
  device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
  device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device->SetRenderState(D3DRS_ALPHAREF, 128);
  device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);

  // Both shaders, neither, or (as interface quads are drawn) a vertex shader
  // feeding the fixed-function texture stages.
  enum Path { kShaders, kFixed, kVertexShaderOnly };
  auto draw = [&](Path path) {
    bool vertexShader = path != kFixed;
    device->SetVertexShader(vertexShader ? vs : nullptr);
    device->SetPixelShader(path == kShaders ? ps : nullptr);
    UseCamera(SceneCamera(0.4f), vertexShader);
    Clear(0xFF203040);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, 1);
    DrawStrip(QuadStrip(-1.5f, 1.5f, 1.5f, -1.5f, 1.0f, 0xFFFFFFFF));  // behind, alpha tested
    device->SetRenderState(D3DRS_ALPHATESTENABLE, 0);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    DrawStrip(QuadStrip(-1.0f, 0.8f, 0.6f, -1.2f, -0.5f, 0x80FFC040));  // in front, blended
    DrawStrip(QuadStrip(0.0f, 0.5f, 2.0f, -0.5f, 2.0f, 0xFF40FF40));    // hidden behind the first
    return Read();
  };
  auto shaded = draw(kShaders);
  auto fixed = draw(kFixed);
  auto mixed = draw(kVertexShaderOnly);
  int covered = 0;
  for (uint32_t p : shaded)
    if (!RgbNear(p, 0xFF203040)) ++covered;
  EXPECT_GT(covered, 96 * 96 / 4);
  EXPECT_LE(Differences(shaded, fixed), 96 * 96 / 200) << "more than the edge pixels differ";
  EXPECT_LE(Differences(shaded, mixed), 96 * 96 / 200) << "more than the edge pixels differ";

  device->SetVertexShader(nullptr);
  device->SetPixelShader(nullptr);
  device->SetTexture(0, nullptr);
  vs->Release();
  ps->Release();
  texture->Release();
}

TEST_F(ShaderPathTest, PixelShaderFeaturesTexkillCmpAndDefinedConstants) {
  OPEN_OR_SKIP();
  const char* ps = R"(ps_2_0
def c0, -0.5, 1, 0, 1
def c1, 0, 0, 1, 1
dcl t0.xy
add r0, t0.x, c0.x
texkill r0
cmp r1, r0.y, c1, c16
mov oC0, r1
)";
  d3d9::PixelShader* shader = PixelShaderFrom(ps);
  ASSERT_TRUE(shader);
  device->SetPixelShader(shader);
  float green[4] = {0, 1, 0, 1};
  device->SetPixelShaderConstantF(16, green, 1);
  auto pixels = FullQuad(0xFFFFFFFF, kRed);
  EXPECT_RGB_NEAR(Pixel(pixels, 8, 32), kRed);    // u < 0.5: killed
  EXPECT_RGB_NEAR(Pixel(pixels, 56, 32), kBlue);  // u >= 0.5: r0.y >= 0 picks c1
  device->SetPixelShader(nullptr);
  shader->Release();
}

TEST_F(ShaderPathTest, MalformedBytecodeIsRefused) {
  OPEN_OR_SKIP();
  d3d9::VertexShader* vs = nullptr;
  const DWORD pixelVersion[] = {D3DPS_VERSION(2, 0), 0x0000FFFF};
  EXPECT_EQ(D3DERR_INVALIDCALL, device->CreateVertexShader(pixelVersion, &vs));
  EXPECT_EQ(nullptr, vs);
  // A label: subroutines are not supported.
  const DWORD subroutine[] = {D3DVS_VERSION(2, 0), D3DSIO_LABEL | (1u << 24),
                              0x80000000u | D3DSPR_REGISTER_TYPE_BITS(D3DSPR_LABEL), 0x0000FFFF};
  EXPECT_EQ(D3DERR_INVALIDCALL, device->CreateVertexShader(subroutine, &vs));
  d3d9::PixelShader* ps = nullptr;
  EXPECT_EQ(D3DERR_INVALIDCALL, device->CreatePixelShader(nullptr, &ps));
}

}  // namespace
