// Frames per second of an interface pass of 2000 quads at 800 x 600, drawn as
// the game draws them: on the shader path one strip from the unit quad buffer
// per quad with two constant registers changed, on the fixed-function path one
// strip from memory per quad.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench_device.h"
#include "core/graphics_device.h"
#include "core/shader_registers.h"
#include "d3dutil/math.h"
#include "platform/d3d9/d3d9.h"
#include "platform/window.h"

namespace {

constexpr int kWidth = 800, kHeight = 600, kQuads = 2000;

struct Vertex {
  float x, y, z, nx, ny, nz;
  D3DCOLOR colour;
  float u, v, u1, v1, tx, ty, tz;
};
static_assert(sizeof(Vertex) == 56);

const char* kInterfaceVs = R"(vs_2_0
dcl_position v0
dcl_color v1
dcl_texcoord0 v2
mad r0.xy, v0, c60.zw, c60
mov r0.zw, v0
m4x4 r1, r0, c0
mov r1.z, -r1.z
m4x4 oPos, r1, c8
mad oT0.xy, v2, c61.zw, c61
mov oD0, v1
)";

const char* kInterfacePs = R"(ps_2_0
dcl v0
dcl t0.xy
dcl_2d s0
texld r0, t0, s0
mul r0, r0, v0
mul r0, r0, c16
mov oC0, r0
)";

Vertex At(float x, float y, float u, float v) { return Vertex{x, y, -1.125f, 0, 0, 0, 0xFFFFFFFF, u, v, 0, 0, 0, 0, 0}; }

struct Scene {
  bench::GlWindow gl;
  d3d9::Device* device = nullptr;
  d3d9::Texture* texture = nullptr;
  d3d9::VertexBuffer* unitQuad = nullptr;
  d3d9::VertexDeclaration* declaration = nullptr;
  d3d9::VertexShader* vs = nullptr;
  d3d9::PixelShader* ps = nullptr;
  D3DXMATRIX world, view, projection;

  bool Open(bool shaders, std::string* why) {
    if (!gl.Open(kWidth, kHeight, why)) return false;
    device = gl.device;

    D3DXMatrixIdentity(&world);
    D3DXVECTOR3 eye(0, 0, 0), at(0, 0, -1), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixOrthoLH(&projection, 2.0f, 1.5f, 0.01f, 800.0f);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_LIGHTING, 0);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);

    texture = bench::CreatePatternTexture(device, 256);
    if (!texture) return *why = "no texture", false;
    device->SetTexture(0, texture);

    if (!shaders) {
      device->SetFVF(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX3);
      device->SetTransform(D3DTS_WORLD, &world);
      device->SetTransform(D3DTS_VIEW, &view);
      device->SetTransform(D3DTS_PROJECTION, &projection);
      return true;
    }
    device->CreateVertexDeclaration(VertexElements, &declaration);
    device->SetVertexDeclaration(declaration);
    if (!(vs = bench::AssembleVertexShader(device, kInterfaceVs, why))) return false;
    if (!(ps = bench::AssemblePixelShader(device, kInterfacePs, why))) return false;
    device->SetVertexShader(vs);
    device->SetPixelShader(ps);
    const float white[4] = {1, 1, 1, 1};
    device->SetPixelShaderConstantF(PsTint, white, 1);
    D3DXMATRIX t;
    device->SetVertexShaderConstantF(VsWorldMatrix, *D3DXMatrixTranspose(&t, &world), 4);
    device->SetVertexShaderConstantF(VsViewMatrix, *D3DXMatrixTranspose(&t, &view), 4);
    device->SetVertexShaderConstantF(VsProjectionMatrix, *D3DXMatrixTranspose(&t, &projection), 4);
    Vertex quad[4] = {At(0, 0, 0, 0), At(0, 1, 0, 1), At(1, 0, 1, 0), At(1, 1, 1, 1)};
    device->CreateVertexBuffer(sizeof quad, 0, 0, D3DPOOL_DEFAULT, &unitQuad);
    void* data = nullptr;
    unitQuad->Lock(0, 0, &data, 0);
    std::memcpy(data, quad, sizeof quad);
    unitQuad->Unlock();
    device->SetStreamSource(0, unitQuad, 0, sizeof(Vertex));
    return true;
  }

  void Close() {
    if (device) {
      device->SetTexture(0, nullptr);
      device->SetVertexShader(nullptr);
      device->SetPixelShader(nullptr);
      device->SetVertexDeclaration(nullptr);
      device->SetStreamSource(0, nullptr, 0, 0);
    }
    for (d3d9::Unknown* object : std::initializer_list<d3d9::Unknown*>{texture, unitQuad, declaration, vs, ps})
      if (object) object->Release();
    gl.Close();
  }

  // The rectangle of quad i in interface units: a grid of glyph-sized cells.
  static void Place(int i, float* x, float* y, float* w, float* h) {
    *w = 0.04f;
    *h = 0.03f;
    *x = (i % 50) * 0.04f;
    *y = (i / 50) * 0.0375f;
  }

  void FrameWithShaders() {
    device->BeginScene();
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    for (int i = 0; i < kQuads; ++i) {
      float x, y, w, h;
      Place(i, &x, &y, &w, &h);
      const float where[4] = {x - 1.0f, 0.75f - y, w, -h};
      const float region[4] = {(i % 16) / 16.0f, (i / 16 % 16) / 16.0f, 1 / 16.0f, 1 / 16.0f};
      device->SetVertexShaderConstantF(VsQuadPlacement, where, 1);
      device->SetVertexShaderConstantF(VsQuadRegion, region, 1);
      device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    }
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
  }

  void FrameFixedFunction() {
    device->BeginScene();
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    for (int i = 0; i < kQuads; ++i) {
      float x, y, w, h;
      Place(i, &x, &y, &w, &h);
      float left = x - 1.0f, top = 0.75f - y, u = (i % 16) / 16.0f, v = (i / 16 % 16) / 16.0f, d = 1 / 16.0f;
      const Vertex quad[4] = {At(left, top, u, v), At(left, top - h, u, v + d), At(left + w, top, u + d, v),
                              At(left + w, top - h, u + d, v + d)};
      device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(Vertex));
    }
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
  }
};

void InterfaceQuads(benchmark::State& state, bool shaders) {
  Scene scene;
  std::string why;
  if (!scene.Open(shaders, &why)) {
    scene.Close();
    state.SkipWithError(why.c_str());
    return;
  }
  for (int warm = 0; warm < 3; ++warm) shaders ? scene.FrameWithShaders() : scene.FrameFixedFunction();
  std::vector<uint32_t> pixels;
  int w = 0, h = 0;
  scene.device->ReadBackBuffer(&pixels, &w, &h);
  double cpuBefore = bench::ProcessCpuSeconds();
  for (auto _ : state) shaders ? scene.FrameWithShaders() : scene.FrameFixedFunction();
  scene.device->ReadBackBuffer(&pixels, &w, &h);  // waits for the last frame
  double cpuPerFrame = (bench::ProcessCpuSeconds() - cpuBefore) / double(state.iterations());
  state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  // Processor time of all threads (the rasterizer's included) per frame:
  // what a frame costs regardless of how busy the machine is.
  state.counters["cpu_ms_per_frame"] = cpuPerFrame * 1000.0;
  state.counters["quads"] = kQuads;
  scene.Close();
}

void ShaderPath(benchmark::State& state) { InterfaceQuads(state, true); }
void FixedFunctionPath(benchmark::State& state) { InterfaceQuads(state, false); }

BENCHMARK(ShaderPath)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(FixedFunctionPath)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
  bench::PrepareHeadless();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
