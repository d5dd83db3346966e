#include "reference_scene.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>

#include "bench_device.h"
#include "platform/png_image.h"

namespace bench {
namespace {

const char* kReferenceVs = R"(vs_2_0
dcl_position v0
dcl_color v1
dcl_texcoord0 v2
mov oPos, v0
mov oD0, v1
mov oT0.xy, v2
)";

const char* kReferencePs = R"(ps_2_0
dcl v0
dcl t0.xy
dcl_2d s0
texld r0, t0, s0
mul r0, r0, v0
mov oC0, r0
)";

struct Layout {
  int position = -1, colour = -1, texcoord = -1;
  bool transformed = false;
};

Layout LayoutOf(const d3d9::DeviceState& state) {
  Layout layout;
  if (state.declaration) {
    for (const D3DVERTEXELEMENT9& e : state.declaration->Elements()) {
      if (e.Stream != 0 || e.UsageIndex != 0) continue;
      if (e.Usage == D3DDECLUSAGE_POSITION) layout.position = e.Offset;
      if (e.Usage == D3DDECLUSAGE_COLOR) layout.colour = e.Offset;
      if (e.Usage == D3DDECLUSAGE_TEXCOORD) layout.texcoord = e.Offset;
    }
    return layout;
  }
  d3d9::FvfLayout fvf = d3d9::LayoutOfFvf(state.fvf);
  layout.position = fvf.position;
  layout.colour = fvf.diffuse;
  layout.texcoord = fvf.texcoordCount > 0 ? fvf.texcoord[0] : -1;
  layout.transformed = fvf.transformed;
  return layout;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
  return r;
}

template <class T>
T Read(const uint8_t* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

ReferenceVertex Transform(const uint8_t* vertex, const Layout& layout, const D3DMATRIX& m, int width, int height) {
  ReferenceVertex out;
  float p[4] = {0, 0, 0, 1};
  std::memcpy(p, vertex + layout.position, (layout.transformed ? 4 : 3) * sizeof(float));
  if (layout.transformed) {
    // Screen pixels and 1 / w back to clip space.
    float w = p[3] != 0 ? 1.0f / p[3] : 1.0f;
    out = {(p[0] / float(width) * 2 - 1) * w, (1 - p[1] / float(height) * 2) * w, p[2] * w, w, 0xFFFFFFFF, 0, 0};
  } else {
    float clip[4];
    for (int j = 0; j < 4; ++j) clip[j] = p[0] * m.m[0][j] + p[1] * m.m[1][j] + p[2] * m.m[2][j] + m.m[3][j];
    out = {clip[0], clip[1], clip[2], clip[3], 0xFFFFFFFF, 0, 0};
  }
  if (layout.colour >= 0) out.colour = Read<D3DCOLOR>(vertex + layout.colour);
  if (layout.texcoord >= 0) {
    out.u = Read<float>(vertex + layout.texcoord);
    out.v = Read<float>(vertex + layout.texcoord + 4);
  }
  return out;
}

}  // namespace

ReferenceScene FlattenDraws(const std::vector<d3d9::RecordedDraw>& draws, int width, int height) {
  ReferenceScene scene;
  scene.draws = static_cast<int>(draws.size());
  scene.textureSize = 1;
  for (const d3d9::RecordedDraw& draw : draws) {
    D3DSURFACE_DESC desc;
    if (draw.state.textures[0] && SUCCEEDED(draw.state.textures[0]->GetLevelDesc(0, &desc)))
      scene.textureSize = std::max(scene.textureSize, int(std::max(desc.Width, desc.Height)));
    const Layout layout = LayoutOf(draw.state);
    if (layout.position < 0 || draw.stride == 0) continue;
    const D3DMATRIX m = Multiply(Multiply(draw.state.world, draw.state.view), draw.state.projection);
    const size_t count = draw.vertices.size() / draw.stride;
    // What the game draws without the depth test goes to the near plane, so
    // that one depth test for all keeps it in front as the game does.
    const bool depthTested = draw.state.renderStates[D3DRS_ZENABLE] != 0;
    std::vector<ReferenceVertex> vertices;
    for (size_t i = 0; i < count; ++i) {
      vertices.push_back(Transform(draw.vertices.data() + i * draw.stride, layout, m, width, height));
      if (!depthTested) vertices.back().z = 0;
    }
    auto triangle = [&](size_t a, size_t b, size_t c) {
      scene.triangles.push_back(vertices[a]);
      scene.triangles.push_back(vertices[b]);
      scene.triangles.push_back(vertices[c]);
    };
    switch (draw.type) {
      case D3DPT_TRIANGLELIST:
        for (size_t i = 0; i + 2 < count; i += 3) triangle(i, i + 1, i + 2);
        break;
      case D3DPT_TRIANGLESTRIP:
        for (size_t i = 0; i + 2 < count; ++i) i % 2 ? triangle(i + 1, i, i + 2) : triangle(i, i + 1, i + 2);
        break;
      case D3DPT_TRIANGLEFAN:
        for (size_t i = 1; i + 1 < count; ++i) triangle(0, i, i + 1);
        break;
      default:
        break;
    }
  }
  return scene;
}

bool SaveReferenceScene(const std::string& path, const ReferenceScene& scene) {
  std::ofstream out(path, std::ios::binary);
  const uint64_t header[3] = {uint64_t(scene.draws), scene.triangles.size(), uint64_t(scene.textureSize)};
  out.write(reinterpret_cast<const char*>(header), sizeof header);
  out.write(reinterpret_cast<const char*>(scene.triangles.data()),
            std::streamsize(scene.triangles.size() * sizeof(ReferenceVertex)));
  return bool(out);
}

bool LoadReferenceScene(const std::string& path, ReferenceScene* scene) {
  std::ifstream in(path, std::ios::binary);
  uint64_t header[3] = {};
  if (!in.read(reinterpret_cast<char*>(header), sizeof header) || header[1] > (64u << 20) || header[2] > 8192)
    return false;
  scene->draws = static_cast<int>(header[0]);
  scene->textureSize = std::max(1, static_cast<int>(header[2]));
  scene->triangles.resize(header[1]);
  return bool(in.read(reinterpret_cast<char*>(scene->triangles.data()),
                      std::streamsize(scene->triangles.size() * sizeof(ReferenceVertex))));
}

TimedRun TimeReferenceScene(const ReferenceScene& scene, int width, int height, int frames,
                                       const std::string& screenshot, std::string* why) {
  TimedRun run;
  GlWindow gl;
  d3d9::Texture* texture = nullptr;
  d3d9::VertexBuffer* buffer = nullptr;
  d3d9::VertexDeclaration* declaration = nullptr;
  d3d9::VertexShader* vs = nullptr;
  d3d9::PixelShader* ps = nullptr;
  const UINT vertexCount = static_cast<UINT>(scene.triangles.size());
  const UINT bytes = vertexCount * sizeof(ReferenceVertex);
  const D3DVERTEXELEMENT9 elements[] = {
      {0, 0, D3DDECLTYPE_FLOAT4, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
      {0, 16, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
      {0, 20, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
      D3DDECL_END(),
  };
  bool ready = gl.Open(width, height, why) && (texture = CreatePatternTexture(gl.device, scene.textureSize)) &&
               (vs = AssembleVertexShader(gl.device, kReferenceVs, why)) &&
               (ps = AssemblePixelShader(gl.device, kReferencePs, why)) && vertexCount >= 3 &&
               SUCCEEDED(gl.device->CreateVertexDeclaration(elements, &declaration)) &&
               SUCCEEDED(gl.device->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT, &buffer));
  if (ready) {
    d3d9::Device* device = gl.device;
    void* data = nullptr;
    buffer->Lock(0, 0, &data, 0);
    std::memcpy(data, scene.triangles.data(), bytes);
    buffer->Unlock();
    device->SetRenderState(D3DRS_ZENABLE, 1);
    device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
    device->SetTexture(0, texture);
    device->SetVertexDeclaration(declaration);
    device->SetVertexShader(vs);
    device->SetPixelShader(ps);
    device->SetStreamSource(0, buffer, 0, sizeof(ReferenceVertex));
    auto frame = [&] {
      device->BeginScene();
      device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
      device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, vertexCount / 3);
      device->EndScene();
      device->Present(nullptr, nullptr, nullptr, nullptr);
    };
    using Clock = std::chrono::steady_clock;
    for (int warm = 0; warm < 20; ++warm) frame();
    const double cpuBefore = ProcessCpuSeconds();
    Clock::time_point last = Clock::now();
    for (int i = 0; i < frames; ++i) {
      frame();
      Clock::time_point now = Clock::now();
      run.frameMs.push_back(std::chrono::duration<double, std::milli>(now - last).count());
      last = now;
    }
    run.cpuMsPerFrame = (ProcessCpuSeconds() - cpuBefore) * 1000.0 / frames;
    if (!screenshot.empty()) {
      ArgbImage image;
      device->ReadBackBuffer(&image.pixels, &image.width, &image.height);
      SavePng(screenshot, image);
    }
    device->SetTexture(0, nullptr);
    device->SetVertexShader(nullptr);
    device->SetPixelShader(nullptr);
    device->SetVertexDeclaration(nullptr);
    device->SetStreamSource(0, nullptr, 0, 0);
  } else if (why->empty()) {
    *why = "reference scene not prepared";
  }
  for (d3d9::Unknown* object : std::initializer_list<d3d9::Unknown*>{texture, buffer, declaration, vs, ps})
    if (object) object->Release();
  gl.Close();
  return run;
}

}  // namespace bench
