// The game's Direct3D 9 interface forwarded to the system's own device: the
// shader bytecode of our assembler goes to the driver unchanged.
#include "platform/test_hooks.h"
#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/device_state.h"
#include "platform/win32/d3d9_direct3d_win32.h"
#include "platform/win32/d3d9_system.h"
#include "platform/win32/system_window.h"

namespace d3d9 {
namespace {

// Holds one reference to a system object and drops it with the wrapper.
class SystemObject {
 public:
  explicit SystemObject(void* object) : object_(object) {}
  ~SystemObject() { system_d3d9::Release(object_); }
  SystemObject(const SystemObject&) = delete;
  SystemObject& operator=(const SystemObject&) = delete;
  void* get() const { return object_; }

 private:
  void* object_;
};

template <typename T>
void* SystemOf(T* wrapper) {
  return wrapper ? wrapper->system.get() : nullptr;
}

D3DCAPS9 GameCaps(const system_d3d9::Caps& from) {
  D3DCAPS9 caps{};
  caps.DeviceType = D3DDEVTYPE_HAL;
  caps.DevCaps = from.devCaps;
  caps.TextureFilterCaps = from.textureFilterCaps;
  caps.MaxTextureWidth = from.maxTextureWidth;
  caps.MaxTextureHeight = from.maxTextureHeight;
  caps.MaxAnisotropy = from.maxAnisotropy;
  caps.MaxSimultaneousTextures = from.maxSimultaneousTextures;
  caps.MaxStreams = from.maxStreams;
  caps.VertexShaderVersion = FixedFunctionCapsForced() ? D3DVS_VERSION(1, 1) : from.vertexShaderVersion;
  caps.MaxVertexShaderConst = from.maxVertexShaderConst;
  caps.PixelShaderVersion = FixedFunctionCapsForced() ? D3DPS_VERSION(1, 1) : from.pixelShaderVersion;
  return caps;
}

class SystemVertexBuffer : public VertexBuffer {
 public:
  SystemVertexBuffer(void* buffer, UINT length) : system(buffer), length_(length) {}
  HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override {
    return system_d3d9::LockVertexBuffer(system.get(), offset, size, data, flags);
  }
  HRESULT Unlock() override { return system_d3d9::UnlockVertexBuffer(system.get()); }
  UINT Length() const override { return length_; }
  SystemObject system;

 private:
  UINT length_;
};

class SystemTexture : public Texture {
 public:
  SystemTexture(void* texture, D3DFORMAT format, DWORD usage, D3DPOOL pool)
      : system(texture), format_(format), usage_(usage), pool_(pool) {}
  DWORD GetLevelCount() const override { return system_d3d9::TextureLevelCount(system.get()); }
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) const override {
    UINT width = 0, height = 0;
    HRESULT hr = system_d3d9::TextureLevelSize(system.get(), level, &width, &height);
    if (SUCCEEDED(hr))
      *desc = D3DSURFACE_DESC{format_, D3DRTYPE_SURFACE, usage_, pool_, D3DMULTISAMPLE_NONE, 0, width, height};
    return hr;
  }
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override {
    const int32_t* area = rect ? &rect->left : nullptr;
    return system_d3d9::LockTextureRect(system.get(), level, &locked->Pitch, &locked->pBits, area, flags);
  }
  HRESULT UnlockRect(UINT level) override { return system_d3d9::UnlockTextureRect(system.get(), level); }
  SystemObject system;

 private:
  D3DFORMAT format_;
  DWORD usage_;
  D3DPOOL pool_;
};

class SystemDeclaration : public VertexDeclaration {
 public:
  SystemDeclaration(void* declaration, const D3DVERTEXELEMENT9* elements)
      : system(declaration), elements_(ElementsUntilEnd(elements)) {}
  const std::vector<D3DVERTEXELEMENT9>& Elements() const override { return elements_; }
  SystemObject system;

 private:
  std::vector<D3DVERTEXELEMENT9> elements_;
};

// The token stream up to and including its end token.
std::vector<DWORD> FunctionTokens(const DWORD* function) {
  std::vector<DWORD> tokens;
  for (const DWORD* token = function; tokens.push_back(*token), *token != 0x0000FFFF; ++token) {
  }
  return tokens;
}

template <typename Base>
class SystemShader : public Base {
 public:
  SystemShader(void* shader, const DWORD* function) : system(shader), function_(FunctionTokens(function)) {}
  const std::vector<DWORD>& Function() const override { return function_; }
  SystemObject system;

 private:
  std::vector<DWORD> function_;
};

system_d3d9::PresentParameters SystemParameters(const D3DPRESENT_PARAMETERS& p) {
  return system_d3d9::PresentParameters{
      p.BackBufferWidth, p.BackBufferHeight,  p.BackBufferFormat,   p.BackBufferCount,
      p.MultiSampleType, p.MultiSampleQuality, p.SwapEffect,         SystemWindowOf(p.hDeviceWindow),
      p.Windowed,        p.EnableAutoDepthStencil, p.AutoDepthStencilFormat, p.Flags,
      p.FullScreen_RefreshRateInHz, p.PresentationInterval};
}

void TakeFilledIn(const system_d3d9::PresentParameters& from, D3DPRESENT_PARAMETERS* p) {
  p->BackBufferWidth = from.width;
  p->BackBufferHeight = from.height;
  p->BackBufferFormat = static_cast<D3DFORMAT>(from.format);
}

template <typename Wrapper, typename... Arguments>
HRESULT Wrap(HRESULT hr, void* made, Wrapper** result, Arguments... arguments) {
  *result = SUCCEEDED(hr) ? new Wrapper(made, arguments...) : nullptr;
  return hr;
}

class SystemDevice : public Device {
 public:
  explicit SystemDevice(void* device) : system(device) {}
  ~SystemDevice() override { system_d3d9::Release(keptFrame_); }

  HRESULT GetDeviceCaps(D3DCAPS9* caps) override {
    system_d3d9::Caps from{};
    HRESULT hr = system_d3d9::DeviceCaps(device(), &from);
    if (SUCCEEDED(hr)) *caps = GameCaps(from);
    return hr;
  }

  HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, VertexBuffer** buffer,
                             void*) override {
    void* made = nullptr;
    HRESULT hr = system_d3d9::CreateVertexBuffer(device(), length, usage, fvf, pool, &made);
    SystemVertexBuffer* wrapped = nullptr;
    hr = Wrap(hr, made, &wrapped, length);
    *buffer = wrapped;
    return hr;
  }

  // Textures of the default pool cannot be locked on a real device; the game
  // fills them once, so they live in the managed pool, which can.
  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                        Texture** texture, void*) override {
    D3DPOOL systemPool = pool == D3DPOOL_DEFAULT && !(usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL |
                                                               D3DUSAGE_DYNAMIC))
                             ? D3DPOOL_MANAGED
                             : pool;
    void* made = nullptr;
    HRESULT hr = system_d3d9::CreateTexture(device(), width, height, levels, usage, format, systemPool, &made);
    SystemTexture* wrapped = nullptr;
    hr = Wrap(hr, made, &wrapped, format, usage, pool);
    *texture = wrapped;
    return hr;
  }

  HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements, VertexDeclaration** declaration) override {
    void* made = nullptr;
    HRESULT hr = system_d3d9::CreateVertexDeclaration(device(), elements, &made);
    SystemDeclaration* wrapped = nullptr;
    hr = Wrap(hr, made, &wrapped, elements);
    *declaration = wrapped;
    return hr;
  }

  HRESULT CreateVertexShader(const DWORD* function, VertexShader** shader) override {
    return CreateShader(system_d3d9::CreateVertexShader, function, shader);
  }

  HRESULT CreatePixelShader(const DWORD* function, PixelShader** shader) override {
    return CreateShader(system_d3d9::CreatePixelShader, function, shader);
  }

  HRESULT SetVertexDeclaration(VertexDeclaration* declaration) override {
    return system_d3d9::SetVertexDeclaration(device(), SystemOf(static_cast<SystemDeclaration*>(declaration)));
  }
  HRESULT SetFVF(DWORD fvf) override { return system_d3d9::SetFVF(device(), fvf); }
  HRESULT SetVertexShader(VertexShader* shader) override {
    return system_d3d9::SetVertexShader(device(), SystemOf(static_cast<SystemShader<VertexShader>*>(shader)));
  }
  HRESULT SetPixelShader(PixelShader* shader) override {
    return system_d3d9::SetPixelShader(device(), SystemOf(static_cast<SystemShader<PixelShader>*>(shader)));
  }
  HRESULT SetVertexShaderConstantF(UINT start, const float* data, UINT count) override {
    return system_d3d9::SetVertexShaderConstantF(device(), start, data, count);
  }
  HRESULT SetPixelShaderConstantF(UINT start, const float* data, UINT count) override {
    return system_d3d9::SetPixelShaderConstantF(device(), start, data, count);
  }
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override {
    return system_d3d9::SetRenderState(device(), state, value);
  }
  HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override {
    return system_d3d9::SetSamplerState(device(), sampler, type, value);
  }
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override {
    return system_d3d9::SetTextureStageState(device(), stage, type, value);
  }
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override {
    return system_d3d9::SetTransform(device(), state, &matrix->m[0][0]);
  }
  HRESULT SetTexture(DWORD stage, Texture* texture) override {
    return system_d3d9::SetTexture(device(), stage, SystemOf(static_cast<SystemTexture*>(texture)));
  }
  HRESULT SetStreamSource(UINT stream, VertexBuffer* buffer, UINT offset, UINT stride) override {
    return system_d3d9::SetStreamSource(device(), stream, SystemOf(static_cast<SystemVertexBuffer*>(buffer)), offset,
                                        stride);
  }
  HRESULT SetScissorRect(const RECT* rect) override {
    if (!rect) return D3DERR_INVALIDCALL;
    return system_d3d9::SetScissorRect(device(), &rect->left);
  }
  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override {
    return system_d3d9::DrawPrimitive(device(), type, startVertex, primitiveCount);
  }
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) override {
    return system_d3d9::DrawPrimitiveUP(device(), type, primitiveCount, vertices, stride);
  }
  HRESULT Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                DWORD stencil) override {
    return system_d3d9::Clear(device(), rectCount, rects, flags, color, z, stencil);
  }
  HRESULT BeginScene() override { return system_d3d9::BeginScene(device()); }
  HRESULT EndScene() override { return system_d3d9::EndScene(device()); }
  // Each presented frame is kept for ReadBackBuffer: a discarded back buffer
  // holds nothing after Present.
  HRESULT Present(const RECT*, const RECT*, HWND, const void*) override {
    if (TakeDeviceLossForTests()) lostForTests_ = true;
    if (lostForTests_) return D3DERR_DEVICELOST;
    system_d3d9::KeepBackBuffer(device(), &keptFrame_);
    return system_d3d9::Present(device());
  }
  HRESULT TestCooperativeLevel() override {
    return lostForTests_ ? D3DERR_DEVICENOTRESET : system_d3d9::TestCooperativeLevel(device());
  }
  // The kept frame lives in D3DPOOL_DEFAULT too.
  HRESULT Reset(D3DPRESENT_PARAMETERS* p) override {
    if (!p) return D3DERR_INVALIDCALL;
    system_d3d9::Release(keptFrame_);
    keptFrame_ = nullptr;
    system_d3d9::PresentParameters parameters = SystemParameters(*p);
    HRESULT hr = system_d3d9::Reset(device(), &parameters);
    TakeFilledIn(parameters, p);
    if (SUCCEEDED(hr)) lostForTests_ = false;
    return hr;
  }

  // The system's device may be used from any thread, one at a time.
  HRESULT AcquireThread() override { return D3D_OK; }
  HRESULT ReleaseThread() override { return D3D_OK; }
  // Direct3D 9 copies a depth buffer only outside a scene, and a graphics
  // card draws the scenery in less time than keeping it would save.
  HRESULT KeepFrame(uint64_t) override { return D3DERR_NOTAVAILABLE; }
  HRESULT NoteKeptFrameOpenRects() override { return D3DERR_NOTAVAILABLE; }
  HRESULT RestoreKeptFrame(uint64_t, OpenRects*) override { return D3DERR_NOTAVAILABLE; }
  HRESULT ReadBackBuffer(std::vector<uint32_t>* argb, int* width, int* height) override {
    if (!argb || !width || !height) return D3DERR_INVALIDCALL;
    if (!keptFrame_) system_d3d9::KeepBackBuffer(device(), &keptFrame_);
    if (!keptFrame_) return D3DERR_INVALIDCALL;
    return system_d3d9::ReadKeptBackBuffer(device(), keptFrame_, argb, width, height);
  }

  SystemObject system;

 private:
  void* device() const { return system.get(); }

  template <typename Base>
  HRESULT CreateShader(int32_t (*create)(void*, const uint32_t*, void**), const DWORD* function, Base** shader) {
    void* made = nullptr;
    HRESULT hr = create(device(), function, &made);
    SystemShader<Base>* wrapped = nullptr;
    hr = Wrap(hr, made, &wrapped, function);
    *shader = wrapped;
    return hr;
  }

  void* keptFrame_ = nullptr;
  bool lostForTests_ = false;
};

class SystemDirect3D : public Direct3D {
 public:
  explicit SystemDirect3D(void* direct3d) : system_(direct3d) {}

  HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override {
    system_d3d9::Caps from{};
    HRESULT hr = system_d3d9::AdapterCaps(system_.get(), adapter, type, &from);
    if (SUCCEEDED(hr)) *caps = GameCaps(from);
    return hr;
  }

  HRESULT CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type, D3DFORMAT format, BOOL windowed,
                                     D3DMULTISAMPLE_TYPE samples, DWORD* qualityLevels) override {
    return system_d3d9::CheckMultiSample(system_.get(), adapter, type, format, windowed, samples, qualityLevels);
  }

  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD flags,
                       D3DPRESENT_PARAMETERS* p, Device** device) override {
    if (!device || !p) return D3DERR_INVALIDCALL;
    system_d3d9::PresentParameters parameters = SystemParameters(*p);
    void* made = nullptr;
    HRESULT hr = system_d3d9::CreateDevice(system_.get(), adapter, type, SystemWindowOf(focusWindow), flags,
                                           &parameters, &made);
    TakeFilledIn(parameters, p);
    SystemDevice* wrapped = nullptr;
    hr = Wrap(hr, made, &wrapped);
    *device = wrapped;
    return hr;
  }

 private:
  SystemObject system_;
};

}  // namespace

Direct3D* CreateSystemDirect3D() {
  void* direct3d = system_d3d9::Create(D3D_SDK_VERSION);
  return direct3d ? new SystemDirect3D(direct3d) : nullptr;
}

}  // namespace d3d9
