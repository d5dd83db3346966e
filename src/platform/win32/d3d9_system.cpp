#include "platform/win32/d3d9_system.h"

#include <windows.h>
#include <d3d9.h>

namespace system_d3d9 {
namespace {
IDirect3D9* D3d(void* object) { return static_cast<IDirect3D9*>(object); }
IDirect3DDevice9* Dev(void* object) { return static_cast<IDirect3DDevice9*>(object); }

void CopyCaps(const D3DCAPS9& from, Caps* to) {
  *to = Caps{static_cast<uint32_t>(from.DevCaps), static_cast<uint32_t>(from.TextureFilterCaps),
             static_cast<uint32_t>(from.MaxTextureWidth), static_cast<uint32_t>(from.MaxTextureHeight),
             static_cast<uint32_t>(from.MaxAnisotropy), static_cast<uint32_t>(from.MaxSimultaneousTextures),
             static_cast<uint32_t>(from.MaxStreams), static_cast<uint32_t>(from.VertexShaderVersion),
             static_cast<uint32_t>(from.MaxVertexShaderConst), static_cast<uint32_t>(from.PixelShaderVersion)};
}

// `made` by reference: it is read only after the creating call has filled it.
template <typename Out>
int32_t Created(HRESULT hr, Out* const& made, void** result) {
  *result = SUCCEEDED(hr) ? made : nullptr;
  return hr;
}
}  // namespace

void* Create(uint32_t sdkVersion) { return Direct3DCreate9(sdkVersion); }

uint32_t Release(void* object) { return object ? static_cast<IUnknown*>(object)->Release() : 0; }

int32_t AdapterCaps(void* direct3d, uint32_t adapter, uint32_t type, Caps* caps) {
  D3DCAPS9 system{};
  HRESULT hr = D3d(direct3d)->GetDeviceCaps(adapter, D3DDEVTYPE(type), &system);
  if (SUCCEEDED(hr)) CopyCaps(system, caps);
  return hr;
}

int32_t CheckMultiSample(void* direct3d, uint32_t adapter, uint32_t type, uint32_t format, int32_t windowed,
                         uint32_t samples, uint32_t* qualityLevels) {
  DWORD levels = 0;
  HRESULT hr = D3d(direct3d)->CheckDeviceMultiSampleType(adapter, D3DDEVTYPE(type), D3DFORMAT(format), windowed,
                                                         D3DMULTISAMPLE_TYPE(samples), &levels);
  if (qualityLevels) *qualityLevels = levels;
  return hr;
}

namespace {
D3DPRESENT_PARAMETERS SystemParameters(const PresentParameters& p) {
  D3DPRESENT_PARAMETERS system{};
  system.BackBufferWidth = p.width;
  system.BackBufferHeight = p.height;
  system.BackBufferFormat = D3DFORMAT(p.format);
  system.BackBufferCount = p.bufferCount;
  system.MultiSampleType = D3DMULTISAMPLE_TYPE(p.multiSample);
  system.MultiSampleQuality = p.multiSampleQuality;
  system.SwapEffect = D3DSWAPEFFECT(p.swapEffect);
  system.hDeviceWindow = static_cast<HWND>(p.window);
  system.Windowed = p.windowed;
  system.EnableAutoDepthStencil = p.autoDepthStencil;
  system.AutoDepthStencilFormat = D3DFORMAT(p.depthFormat);
  system.Flags = p.flags;
  system.FullScreen_RefreshRateInHz = p.refreshRate;
  system.PresentationInterval = p.interval;
  return system;
}

// Direct3D fills in what was left to it, such as the desktop format.
void TakeFilledIn(const D3DPRESENT_PARAMETERS& system, PresentParameters* p) {
  p->format = system.BackBufferFormat;
  p->width = system.BackBufferWidth;
  p->height = system.BackBufferHeight;
}
}  // namespace

int32_t CreateDevice(void* direct3d, uint32_t adapter, uint32_t type, void* focusWindow, uint32_t flags,
                     PresentParameters* p, void** device) {
  D3DPRESENT_PARAMETERS system = SystemParameters(*p);
  IDirect3DDevice9* made = nullptr;
  HRESULT hr = D3d(direct3d)->CreateDevice(adapter, D3DDEVTYPE(type), static_cast<HWND>(focusWindow), flags,
                                           &system, &made);
  TakeFilledIn(system, p);
  return Created(hr, made, device);
}

int32_t Reset(void* device, PresentParameters* p) {
  D3DPRESENT_PARAMETERS system = SystemParameters(*p);
  HRESULT hr = Dev(device)->Reset(&system);
  TakeFilledIn(system, p);
  return hr;
}

int32_t DeviceCaps(void* device, Caps* caps) {
  D3DCAPS9 system{};
  HRESULT hr = Dev(device)->GetDeviceCaps(&system);
  if (SUCCEEDED(hr)) CopyCaps(system, caps);
  return hr;
}

int32_t CreateVertexBuffer(void* device, uint32_t length, uint32_t usage, uint32_t fvf, uint32_t pool,
                           void** buffer) {
  IDirect3DVertexBuffer9* made = nullptr;
  return Created(Dev(device)->CreateVertexBuffer(length, usage, fvf, D3DPOOL(pool), &made, nullptr), made, buffer);
}

int32_t CreateTexture(void* device, uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                      uint32_t format, uint32_t pool, void** texture) {
  IDirect3DTexture9* made = nullptr;
  HRESULT hr = Dev(device)->CreateTexture(width, height, levels, usage, D3DFORMAT(format), D3DPOOL(pool), &made,
                                          nullptr);
  return Created(hr, made, texture);
}

int32_t CreateVertexDeclaration(void* device, const void* elements, void** declaration) {
  IDirect3DVertexDeclaration9* made = nullptr;
  HRESULT hr = Dev(device)->CreateVertexDeclaration(static_cast<const D3DVERTEXELEMENT9*>(elements), &made);
  return Created(hr, made, declaration);
}

int32_t CreateVertexShader(void* device, const uint32_t* function, void** shader) {
  IDirect3DVertexShader9* made = nullptr;
  return Created(Dev(device)->CreateVertexShader(reinterpret_cast<const DWORD*>(function), &made), made, shader);
}

int32_t CreatePixelShader(void* device, const uint32_t* function, void** shader) {
  IDirect3DPixelShader9* made = nullptr;
  return Created(Dev(device)->CreatePixelShader(reinterpret_cast<const DWORD*>(function), &made), made, shader);
}

int32_t SetVertexDeclaration(void* device, void* declaration) {
  return Dev(device)->SetVertexDeclaration(static_cast<IDirect3DVertexDeclaration9*>(declaration));
}
int32_t SetFVF(void* device, uint32_t fvf) { return Dev(device)->SetFVF(fvf); }
int32_t SetVertexShader(void* device, void* shader) {
  return Dev(device)->SetVertexShader(static_cast<IDirect3DVertexShader9*>(shader));
}
int32_t SetPixelShader(void* device, void* shader) {
  return Dev(device)->SetPixelShader(static_cast<IDirect3DPixelShader9*>(shader));
}
int32_t SetVertexShaderConstantF(void* device, uint32_t start, const float* data, uint32_t count) {
  return Dev(device)->SetVertexShaderConstantF(start, data, count);
}
int32_t SetPixelShaderConstantF(void* device, uint32_t start, const float* data, uint32_t count) {
  return Dev(device)->SetPixelShaderConstantF(start, data, count);
}
int32_t SetRenderState(void* device, uint32_t state, uint32_t value) {
  return Dev(device)->SetRenderState(D3DRENDERSTATETYPE(state), value);
}
int32_t SetSamplerState(void* device, uint32_t sampler, uint32_t type, uint32_t value) {
  return Dev(device)->SetSamplerState(sampler, D3DSAMPLERSTATETYPE(type), value);
}
int32_t SetTextureStageState(void* device, uint32_t stage, uint32_t type, uint32_t value) {
  return Dev(device)->SetTextureStageState(stage, D3DTEXTURESTAGESTATETYPE(type), value);
}
int32_t SetTransform(void* device, uint32_t state, const float* matrix) {
  return Dev(device)->SetTransform(D3DTRANSFORMSTATETYPE(state), reinterpret_cast<const D3DMATRIX*>(matrix));
}
int32_t SetTexture(void* device, uint32_t stage, void* texture) {
  return Dev(device)->SetTexture(stage, static_cast<IDirect3DTexture9*>(texture));
}
int32_t SetStreamSource(void* device, uint32_t stream, void* buffer, uint32_t offset, uint32_t stride) {
  return Dev(device)->SetStreamSource(stream, static_cast<IDirect3DVertexBuffer9*>(buffer), offset, stride);
}
int32_t SetScissorRect(void* device, const int32_t* rect) {
  const RECT area{rect[0], rect[1], rect[2], rect[3]};
  return Dev(device)->SetScissorRect(&area);
}
int32_t DrawPrimitive(void* device, uint32_t type, uint32_t startVertex, uint32_t primitiveCount) {
  return Dev(device)->DrawPrimitive(D3DPRIMITIVETYPE(type), startVertex, primitiveCount);
}
int32_t DrawPrimitiveUP(void* device, uint32_t type, uint32_t primitiveCount, const void* vertices,
                        uint32_t stride) {
  return Dev(device)->DrawPrimitiveUP(D3DPRIMITIVETYPE(type), primitiveCount, vertices, stride);
}
int32_t Clear(void* device, uint32_t rectCount, const void* rects, uint32_t flags, uint32_t color, float z,
              uint32_t stencil) {
  return Dev(device)->Clear(rectCount, static_cast<const D3DRECT*>(rects), flags, color, z, stencil);
}
int32_t BeginScene(void* device) { return Dev(device)->BeginScene(); }
int32_t EndScene(void* device) { return Dev(device)->EndScene(); }
int32_t Present(void* device) { return Dev(device)->Present(nullptr, nullptr, nullptr, nullptr); }
int32_t TestCooperativeLevel(void* device) { return Dev(device)->TestCooperativeLevel(); }

int32_t KeepBackBuffer(void* device, void** kept) {
  IDirect3DSurface9* back = nullptr;
  HRESULT hr = Dev(device)->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
  if (FAILED(hr)) return hr;
  if (!*kept) {
    D3DSURFACE_DESC desc{};
    back->GetDesc(&desc);
    IDirect3DSurface9* made = nullptr;
    hr = Dev(device)->CreateRenderTarget(desc.Width, desc.Height, desc.Format, D3DMULTISAMPLE_NONE, 0, FALSE, &made,
                                         nullptr);
    *kept = made;
  }
  if (SUCCEEDED(hr)) hr = Dev(device)->StretchRect(back, nullptr, static_cast<IDirect3DSurface9*>(*kept), nullptr,
                                                   D3DTEXF_NONE);
  back->Release();
  return hr;
}

int32_t ReadKeptBackBuffer(void* device, void* kept, std::vector<uint32_t>* argb, int* width, int* height) {
  auto* source = static_cast<IDirect3DSurface9*>(kept);
  D3DSURFACE_DESC desc{};
  source->GetDesc(&desc);
  if (desc.Format != D3DFMT_A8R8G8B8 && desc.Format != D3DFMT_X8R8G8B8) return D3DERR_INVALIDCALL;
  IDirect3DSurface9* copy = nullptr;
  HRESULT hr = Dev(device)->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM,
                                                        &copy, nullptr);
  if (SUCCEEDED(hr)) hr = Dev(device)->GetRenderTargetData(source, copy);
  D3DLOCKED_RECT locked{};
  if (SUCCEEDED(hr)) hr = copy->LockRect(&locked, nullptr, D3DLOCK_READONLY);
  if (SUCCEEDED(hr)) {
    uint32_t opaque = desc.Format == D3DFMT_X8R8G8B8 ? 0xFF000000u : 0;
    argb->resize(size_t(desc.Width) * desc.Height);
    for (UINT y = 0; y < desc.Height; ++y) {
      auto* row = reinterpret_cast<const uint32_t*>(static_cast<const char*>(locked.pBits) + y * locked.Pitch);
      for (UINT x = 0; x < desc.Width; ++x) (*argb)[size_t(y) * desc.Width + x] = row[x] | opaque;
    }
    copy->UnlockRect();
    *width = int(desc.Width);
    *height = int(desc.Height);
  }
  if (copy) copy->Release();
  return hr;
}

int32_t LockVertexBuffer(void* buffer, uint32_t offset, uint32_t size, void** data, uint32_t flags) {
  return static_cast<IDirect3DVertexBuffer9*>(buffer)->Lock(offset, size, data, flags);
}
int32_t UnlockVertexBuffer(void* buffer) { return static_cast<IDirect3DVertexBuffer9*>(buffer)->Unlock(); }

uint32_t TextureLevelCount(void* texture) { return static_cast<IDirect3DTexture9*>(texture)->GetLevelCount(); }

int32_t TextureLevelSize(void* texture, uint32_t level, uint32_t* width, uint32_t* height) {
  D3DSURFACE_DESC desc{};
  HRESULT hr = static_cast<IDirect3DTexture9*>(texture)->GetLevelDesc(level, &desc);
  *width = desc.Width;
  *height = desc.Height;
  return hr;
}

int32_t LockTextureRect(void* texture, uint32_t level, int32_t* pitch, void** bits, const int32_t* rect,
                        uint32_t flags) {
  RECT area{};
  if (rect) area = RECT{rect[0], rect[1], rect[2], rect[3]};
  D3DLOCKED_RECT locked{};
  HRESULT hr = static_cast<IDirect3DTexture9*>(texture)->LockRect(level, &locked, rect ? &area : nullptr, flags);
  *pitch = locked.Pitch;
  *bits = locked.pBits;
  return hr;
}
int32_t UnlockTextureRect(void* texture, uint32_t level) {
  return static_cast<IDirect3DTexture9*>(texture)->UnlockRect(level);
}

}  // namespace system_d3d9
