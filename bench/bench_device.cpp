#include "bench_device.h"

#include <malloc.h>
#include <sys/resource.h>

#include <cstdlib>
#include <vector>

#include "d3dutil/shader_assembler.h"

namespace bench {

void PrepareHeadless() {
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
  // As the game does: keep glibc from trimming the heap between draws.
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
}

bool GlWindow::Open(int width, int height, std::string* why) {
  window = CreatePlatformWindow("Kestrin bench", width, height, false);
  if (!window) return *why = "no window", false;
  direct3d = Direct3DCreate9(D3D_SDK_VERSION);
  if (!direct3d) return *why = "no OpenGL 3.3", false;
  D3DPRESENT_PARAMETERS pp{};
  pp.BackBufferWidth = UINT(width);
  pp.BackBufferHeight = UINT(height);
  pp.BackBufferCount = 1;
  pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
  pp.Windowed = 1;
  pp.EnableAutoDepthStencil = 1;
  pp.AutoDepthStencilFormat = D3DFMT_D24X8;
  pp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
  if (FAILED(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device)))
    return *why = "no device", false;
  return true;
}

void GlWindow::Close() {
  if (device) device->Release();
  if (direct3d) direct3d->Release();
  if (window) DestroyWindow(window);
  device = nullptr;
  direct3d = nullptr;
  window = nullptr;
}

d3d9::Texture* CreatePatternTexture(d3d9::Device* device, int size) {
  d3d9::Texture* texture = nullptr;
  if (FAILED(device->CreateTexture(UINT(size), UINT(size), 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture)))
    return nullptr;
  for (UINT level = 0; level < texture->GetLevelCount(); ++level) {
    D3DSURFACE_DESC desc;
    texture->GetLevelDesc(level, &desc);
    D3DLOCKED_RECT locked;
    texture->LockRect(level, &locked, nullptr, 0);
    for (UINT y = 0; y < desc.Height; ++y)
      for (UINT x = 0; x < desc.Width; ++x)
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch)[x] =
            ((x ^ y) & 8) ? 0xFFFFFFFF : 0x80FF8000;
    texture->UnlockRect(level);
  }
  return texture;
}

namespace {
bool Assemble(const char* text, std::vector<uint32_t>* code, std::string* why) {
  std::string errors;
  if (SUCCEEDED(D3DXAssembleShader(text, 0xFFFF, code, &errors))) return true;
  *why = "shader: " + errors;
  return false;
}
}  // namespace

d3d9::VertexShader* AssembleVertexShader(d3d9::Device* device, const char* text, std::string* why) {
  std::vector<uint32_t> code;
  d3d9::VertexShader* shader = nullptr;
  if (!Assemble(text, &code, why)) return nullptr;
  if (FAILED(device->CreateVertexShader(code.data(), &shader))) *why = "vertex shader not created";
  return shader;
}

d3d9::PixelShader* AssemblePixelShader(d3d9::Device* device, const char* text, std::string* why) {
  std::vector<uint32_t> code;
  d3d9::PixelShader* shader = nullptr;
  if (!Assemble(text, &code, why)) return nullptr;
  if (FAILED(device->CreatePixelShader(code.data(), &shader))) *why = "pixel shader not created";
  return shader;
}

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

}  // namespace bench
