#pragma once
// The Direct3D 9 device as the game uses it: Direct3D's enum names and values
// and the interfaces IDirect3D9, IDirect3DDevice9 and its resources, with the
// operations the game calls. Backends: OpenGL (the game) and recording (tests).
#include <cstdint>
#include <vector>

#include "platform/d3d9/d3d9types.h"
#include "platform/d3d9/shader_tokens.h"
#include "platform/window.h"

constexpr UINT D3D_SDK_VERSION = 31;
constexpr UINT D3DADAPTER_DEFAULT = 0;

enum D3DDEVTYPE : uint32_t {
  D3DDEVTYPE_HAL = 1,
  D3DDEVTYPE_REF = 2,
  D3DDEVTYPE_SW = 3,
  D3DDEVTYPE_NULLREF = 4,
};

enum D3DFORMAT : uint32_t {
  D3DFMT_UNKNOWN = 0,
  D3DFMT_R8G8B8 = 20,
  D3DFMT_A8R8G8B8 = 21,
  D3DFMT_X8R8G8B8 = 22,
  D3DFMT_R5G6B5 = 23,
  D3DFMT_A8 = 28,
  D3DFMT_L8 = 50,
  D3DFMT_D32 = 71,
  D3DFMT_D24S8 = 75,
  D3DFMT_D24X8 = 77,
  D3DFMT_D16 = 80,
  D3DFMT_VERTEXDATA = 100,
  D3DFMT_INDEX16 = 101,
};

enum D3DPOOL : uint32_t {
  D3DPOOL_DEFAULT = 0,
  D3DPOOL_MANAGED = 1,
  D3DPOOL_SYSTEMMEM = 2,
  D3DPOOL_SCRATCH = 3,
};

enum D3DRESOURCETYPE : uint32_t {
  D3DRTYPE_SURFACE = 1,
  D3DRTYPE_TEXTURE = 3,
  D3DRTYPE_VERTEXBUFFER = 6,
};

constexpr DWORD D3DUSAGE_RENDERTARGET = 0x00000001;
constexpr DWORD D3DUSAGE_DEPTHSTENCIL = 0x00000002;
constexpr DWORD D3DUSAGE_WRITEONLY = 0x00000008;
constexpr DWORD D3DUSAGE_DYNAMIC = 0x00000200;
constexpr DWORD D3DUSAGE_AUTOGENMIPMAP = 0x00000400;

constexpr DWORD D3DLOCK_READONLY = 0x00000010;
constexpr DWORD D3DLOCK_NOSYSLOCK = 0x00000800;
constexpr DWORD D3DLOCK_NOOVERWRITE = 0x00001000;
constexpr DWORD D3DLOCK_DISCARD = 0x00002000;

constexpr DWORD D3DCLEAR_TARGET = 0x00000001;
constexpr DWORD D3DCLEAR_ZBUFFER = 0x00000002;
constexpr DWORD D3DCLEAR_STENCIL = 0x00000004;

// Flexible vertex format bits.
constexpr DWORD D3DFVF_XYZ = 0x002;
constexpr DWORD D3DFVF_XYZRHW = 0x004;
constexpr DWORD D3DFVF_POSITION_MASK = 0x400E;
constexpr DWORD D3DFVF_NORMAL = 0x010;
constexpr DWORD D3DFVF_PSIZE = 0x020;
constexpr DWORD D3DFVF_DIFFUSE = 0x040;
constexpr DWORD D3DFVF_SPECULAR = 0x080;
constexpr DWORD D3DFVF_TEXCOUNT_MASK = 0xF00;
constexpr DWORD D3DFVF_TEXCOUNT_SHIFT = 8;
constexpr DWORD D3DFVF_TEX0 = 0x000;
constexpr DWORD D3DFVF_TEX1 = 0x100;
constexpr DWORD D3DFVF_TEX2 = 0x200;
constexpr DWORD D3DFVF_TEX3 = 0x300;
constexpr DWORD D3DFVF_TEX4 = 0x400;

enum D3DRENDERSTATETYPE : uint32_t {
  D3DRS_ZENABLE = 7,
  D3DRS_FILLMODE = 8,
  D3DRS_SHADEMODE = 9,
  D3DRS_ZWRITEENABLE = 14,
  D3DRS_ALPHATESTENABLE = 15,
  D3DRS_LASTPIXEL = 16,
  D3DRS_SRCBLEND = 19,
  D3DRS_DESTBLEND = 20,
  D3DRS_CULLMODE = 22,
  D3DRS_ZFUNC = 23,
  D3DRS_ALPHAREF = 24,
  D3DRS_ALPHAFUNC = 25,
  D3DRS_DITHERENABLE = 26,
  D3DRS_ALPHABLENDENABLE = 27,
  D3DRS_FOGENABLE = 28,
  D3DRS_SPECULARENABLE = 29,
  D3DRS_TEXTUREFACTOR = 60,
  D3DRS_LIGHTING = 137,
  D3DRS_AMBIENT = 139,
  D3DRS_COLORVERTEX = 141,
  D3DRS_MULTISAMPLEANTIALIAS = 161,
  D3DRS_BLENDOP = 171,
  D3DRS_SCISSORTESTENABLE = 174,
};
constexpr DWORD D3DRS_STATE_COUNT = 256;

enum D3DZBUFFERTYPE : uint32_t { D3DZB_FALSE = 0, D3DZB_TRUE = 1 };

enum D3DBLEND : uint32_t {
  D3DBLEND_ZERO = 1,
  D3DBLEND_ONE = 2,
  D3DBLEND_SRCCOLOR = 3,
  D3DBLEND_INVSRCCOLOR = 4,
  D3DBLEND_SRCALPHA = 5,
  D3DBLEND_INVSRCALPHA = 6,
  D3DBLEND_DESTALPHA = 7,
  D3DBLEND_INVDESTALPHA = 8,
  D3DBLEND_DESTCOLOR = 9,
  D3DBLEND_INVDESTCOLOR = 10,
  D3DBLEND_SRCALPHASAT = 11,
};

enum D3DBLENDOP : uint32_t {
  D3DBLENDOP_ADD = 1,
  D3DBLENDOP_SUBTRACT = 2,
  D3DBLENDOP_REVSUBTRACT = 3,
  D3DBLENDOP_MIN = 4,
  D3DBLENDOP_MAX = 5,
};

enum D3DCMPFUNC : uint32_t {
  D3DCMP_NEVER = 1,
  D3DCMP_LESS = 2,
  D3DCMP_EQUAL = 3,
  D3DCMP_LESSEQUAL = 4,
  D3DCMP_GREATER = 5,
  D3DCMP_NOTEQUAL = 6,
  D3DCMP_GREATEREQUAL = 7,
  D3DCMP_ALWAYS = 8,
};

enum D3DCULL : uint32_t {
  D3DCULL_NONE = 1,
  D3DCULL_CW = 2,
  D3DCULL_CCW = 3,
};

enum D3DSAMPLERSTATETYPE : uint32_t {
  D3DSAMP_ADDRESSU = 1,
  D3DSAMP_ADDRESSV = 2,
  D3DSAMP_ADDRESSW = 3,
  D3DSAMP_BORDERCOLOR = 4,
  D3DSAMP_MAGFILTER = 5,
  D3DSAMP_MINFILTER = 6,
  D3DSAMP_MIPFILTER = 7,
  D3DSAMP_MIPMAPLODBIAS = 8,
  D3DSAMP_MAXMIPLEVEL = 9,
  D3DSAMP_MAXANISOTROPY = 10,
};
constexpr DWORD D3DSAMP_STATE_COUNT = 14;

enum D3DTEXTUREFILTERTYPE : uint32_t {
  D3DTEXF_NONE = 0,
  D3DTEXF_POINT = 1,
  D3DTEXF_LINEAR = 2,
  D3DTEXF_ANISOTROPIC = 3,
};

enum D3DTEXTUREADDRESS : uint32_t {
  D3DTADDRESS_WRAP = 1,
  D3DTADDRESS_MIRROR = 2,
  D3DTADDRESS_CLAMP = 3,
  D3DTADDRESS_BORDER = 4,
  D3DTADDRESS_MIRRORONCE = 5,
};

enum D3DTEXTURESTAGESTATETYPE : uint32_t {
  D3DTSS_COLOROP = 1,
  D3DTSS_COLORARG1 = 2,
  D3DTSS_COLORARG2 = 3,
  D3DTSS_ALPHAOP = 4,
  D3DTSS_ALPHAARG1 = 5,
  D3DTSS_ALPHAARG2 = 6,
  D3DTSS_TEXCOORDINDEX = 11,
  D3DTSS_TEXTURETRANSFORMFLAGS = 24,
  D3DTSS_COLORARG0 = 26,
  D3DTSS_ALPHAARG0 = 27,
  D3DTSS_RESULTARG = 28,
  D3DTSS_CONSTANT = 32,
};
constexpr DWORD D3DTSS_STATE_COUNT = 33;

enum D3DTEXTUREOP : uint32_t {
  D3DTOP_DISABLE = 1,
  D3DTOP_SELECTARG1 = 2,
  D3DTOP_SELECTARG2 = 3,
  D3DTOP_MODULATE = 4,
  D3DTOP_MODULATE2X = 5,
  D3DTOP_MODULATE4X = 6,
  D3DTOP_ADD = 7,
};

// Texture stage arguments.
constexpr DWORD D3DTA_SELECTMASK = 0x0000000F;
constexpr DWORD D3DTA_DIFFUSE = 0x00000000;
constexpr DWORD D3DTA_CURRENT = 0x00000001;
constexpr DWORD D3DTA_TEXTURE = 0x00000002;
constexpr DWORD D3DTA_TFACTOR = 0x00000003;
constexpr DWORD D3DTA_SPECULAR = 0x00000004;
constexpr DWORD D3DTA_TEMP = 0x00000005;
constexpr DWORD D3DTA_CONSTANT = 0x00000006;
constexpr DWORD D3DTA_COMPLEMENT = 0x00000010;
constexpr DWORD D3DTA_ALPHAREPLICATE = 0x00000020;

enum D3DTRANSFORMSTATETYPE : uint32_t {
  D3DTS_VIEW = 2,
  D3DTS_PROJECTION = 3,
  D3DTS_TEXTURE0 = 16,
  D3DTS_WORLD = 256,
};

enum D3DPRIMITIVETYPE : uint32_t {
  D3DPT_POINTLIST = 1,
  D3DPT_LINELIST = 2,
  D3DPT_LINESTRIP = 3,
  D3DPT_TRIANGLELIST = 4,
  D3DPT_TRIANGLESTRIP = 5,
  D3DPT_TRIANGLEFAN = 6,
};

// Vertices a draw of `primitiveCount` primitives of `type` reads.
inline UINT VertexCountOf(D3DPRIMITIVETYPE type, UINT primitiveCount) {
  switch (type) {
    case D3DPT_POINTLIST: return primitiveCount;
    case D3DPT_LINELIST: return primitiveCount * 2;
    case D3DPT_LINESTRIP: return primitiveCount ? primitiveCount + 1 : 0;
    case D3DPT_TRIANGLELIST: return primitiveCount * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return primitiveCount ? primitiveCount + 2 : 0;
  }
  return 0;
}

enum D3DMULTISAMPLE_TYPE : uint32_t {
  D3DMULTISAMPLE_NONE = 0,
  D3DMULTISAMPLE_NONMASKABLE = 1,
  D3DMULTISAMPLE_2_SAMPLES = 2,
  D3DMULTISAMPLE_3_SAMPLES = 3,
  D3DMULTISAMPLE_4_SAMPLES = 4,
  D3DMULTISAMPLE_8_SAMPLES = 8,
  D3DMULTISAMPLE_16_SAMPLES = 16,
};

enum D3DSWAPEFFECT : uint32_t {
  D3DSWAPEFFECT_DISCARD = 1,
  D3DSWAPEFFECT_FLIP = 2,
  D3DSWAPEFFECT_COPY = 3,
};

constexpr UINT D3DPRESENT_INTERVAL_DEFAULT = 0x00000000;
constexpr UINT D3DPRESENT_INTERVAL_ONE = 0x00000001;
constexpr UINT D3DPRESENT_INTERVAL_IMMEDIATE = 0x80000000;

constexpr DWORD D3DCREATE_FPU_PRESERVE = 0x00000002;
constexpr DWORD D3DCREATE_MULTITHREADED = 0x00000004;
constexpr DWORD D3DCREATE_PUREDEVICE = 0x00000010;
constexpr DWORD D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x00000020;
constexpr DWORD D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x00000040;
constexpr DWORD D3DCREATE_MIXED_VERTEXPROCESSING = 0x00000080;

constexpr DWORD D3DDEVCAPS_HWTRANSFORMANDLIGHT = 0x00010000;

constexpr DWORD D3DPTFILTERCAPS_MINFPOINT = 0x00000100;
constexpr DWORD D3DPTFILTERCAPS_MINFLINEAR = 0x00000200;
constexpr DWORD D3DPTFILTERCAPS_MINFANISOTROPIC = 0x00000400;
constexpr DWORD D3DPTFILTERCAPS_MIPFPOINT = 0x00010000;
constexpr DWORD D3DPTFILTERCAPS_MIPFLINEAR = 0x00020000;
constexpr DWORD D3DPTFILTERCAPS_MAGFPOINT = 0x01000000;
constexpr DWORD D3DPTFILTERCAPS_MAGFLINEAR = 0x02000000;
constexpr DWORD D3DPTFILTERCAPS_MAGFANISOTROPIC = 0x04000000;

// The fields of D3DCAPS9 that the game and the backends use.
struct D3DCAPS9 {
  D3DDEVTYPE DeviceType;
  UINT AdapterOrdinal;
  DWORD DevCaps;
  DWORD TextureFilterCaps;
  DWORD MaxTextureWidth;
  DWORD MaxTextureHeight;
  DWORD MaxAnisotropy;
  DWORD MaxSimultaneousTextures;
  DWORD MaxStreams;
  DWORD VertexShaderVersion;
  DWORD MaxVertexShaderConst;
  DWORD PixelShaderVersion;
};

struct D3DPRESENT_PARAMETERS {
  UINT BackBufferWidth;
  UINT BackBufferHeight;
  D3DFORMAT BackBufferFormat;
  UINT BackBufferCount;
  D3DMULTISAMPLE_TYPE MultiSampleType;
  DWORD MultiSampleQuality;
  D3DSWAPEFFECT SwapEffect;
  HWND hDeviceWindow;
  BOOL Windowed;
  BOOL EnableAutoDepthStencil;
  D3DFORMAT AutoDepthStencilFormat;
  DWORD Flags;
  UINT FullScreen_RefreshRateInHz;
  UINT PresentationInterval;
};

enum D3DDECLTYPE : uint8_t {
  D3DDECLTYPE_FLOAT1 = 0,
  D3DDECLTYPE_FLOAT2 = 1,
  D3DDECLTYPE_FLOAT3 = 2,
  D3DDECLTYPE_FLOAT4 = 3,
  D3DDECLTYPE_D3DCOLOR = 4,
  D3DDECLTYPE_UBYTE4 = 5,
  D3DDECLTYPE_SHORT2 = 6,
  D3DDECLTYPE_SHORT4 = 7,
  D3DDECLTYPE_UBYTE4N = 8,
  D3DDECLTYPE_UNUSED = 17,
};

enum D3DDECLMETHOD : uint8_t {
  D3DDECLMETHOD_DEFAULT = 0,
};

// D3DDECLUSAGE comes with the shader tokens (dcl uses the same values).

struct D3DVERTEXELEMENT9 {
  WORD Stream;
  WORD Offset;
  BYTE Type;
  BYTE Method;
  BYTE Usage;
  BYTE UsageIndex;
};
#define D3DDECL_END() \
  { 0xFF, 0, D3DDECLTYPE_UNUSED, 0, 0, 0 }

struct D3DLOCKED_RECT {
  INT Pitch;
  void* pBits;
};

struct D3DSURFACE_DESC {
  D3DFORMAT Format;
  D3DRESOURCETYPE Type;
  DWORD Usage;
  D3DPOOL Pool;
  D3DMULTISAMPLE_TYPE MultiSampleType;
  DWORD MultiSampleQuality;
  UINT Width;
  UINT Height;
};

// Bytes per texel of the texture formats the backends create.
inline UINT BytesPerTexel(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8: return 4;
    case D3DFMT_A8:
    case D3DFMT_L8: return 1;
    default: return 0;
  }
}

namespace d3d9 {

// Reference counted like a COM object: created with one reference, destroyed
// when Release drops the last.
class Unknown {
 public:
  virtual ~Unknown() = default;
  ULONG AddRef() { return ++references_; }
  ULONG Release() {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  Unknown() = default;
  Unknown(const Unknown&) = delete;
  Unknown& operator=(const Unknown&) = delete;

 private:
  ULONG references_ = 1;
};

class VertexBuffer : public Unknown {
 public:
  // Whole buffer when offset and size are both 0.
  virtual HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) = 0;
  virtual HRESULT Unlock() = 0;
  virtual UINT Length() const = 0;
};

class Texture : public Unknown {
 public:
  virtual DWORD GetLevelCount() const = 0;
  virtual HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) const = 0;
  // rect null: the whole level. Rows are Pitch bytes apart, row 0 at v = 0.
  virtual HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
  virtual HRESULT UnlockRect(UINT level) = 0;
};

class VertexDeclaration : public Unknown {
 public:
  // The elements without the end mark.
  virtual const std::vector<D3DVERTEXELEMENT9>& Elements() const = 0;
};

class VertexShader : public Unknown {
 public:
  virtual const std::vector<DWORD>& Function() const = 0;
};

class PixelShader : public Unknown {
 public:
  virtual const std::vector<DWORD>& Function() const = 0;
};

// Rectangles holding every pixel of a frame that nothing was drawn on: the
// whole back buffer where a device cannot tell, none where it is all drawn.
struct OpenRects {
  static constexpr DWORD Most = 16;
  DWORD count = 0;
  RECT rects[Most] = {};
};

// IDirect3DDevice9: what the game draws with.
class Device : public Unknown {
 public:
  virtual HRESULT GetDeviceCaps(D3DCAPS9* caps) = 0;

  virtual HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                     VertexBuffer** buffer, void* sharedHandle = nullptr) = 0;
  virtual HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                                D3DPOOL pool, Texture** texture, void* sharedHandle = nullptr) = 0;
  virtual HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                          VertexDeclaration** declaration) = 0;
  virtual HRESULT CreateVertexShader(const DWORD* function, VertexShader** shader) = 0;
  virtual HRESULT CreatePixelShader(const DWORD* function, PixelShader** shader) = 0;

  virtual HRESULT SetVertexDeclaration(VertexDeclaration* declaration) = 0;
  virtual HRESULT SetFVF(DWORD fvf) = 0;
  virtual HRESULT SetVertexShader(VertexShader* shader) = 0;
  virtual HRESULT SetPixelShader(PixelShader* shader) = 0;
  virtual HRESULT SetVertexShaderConstantF(UINT startRegister, const float* data, UINT vector4fCount) = 0;
  virtual HRESULT SetPixelShaderConstantF(UINT startRegister, const float* data, UINT vector4fCount) = 0;

  virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
  virtual HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) = 0;
  virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) = 0;
  virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) = 0;
  virtual HRESULT SetTexture(DWORD stage, Texture* texture) = 0;
  virtual HRESULT SetStreamSource(UINT stream, VertexBuffer* buffer, UINT offsetInBytes, UINT stride) = 0;
  // Draws touch only this rectangle while D3DRS_SCISSORTESTENABLE is on.
  virtual HRESULT SetScissorRect(const RECT* rect) = 0;

  virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) = 0;
  virtual HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                                  UINT vertexStride) = 0;
  virtual HRESULT Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                        DWORD stencil) = 0;
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  virtual HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND overrideWindow,
                          const void* dirtyRegion) = 0;
  // D3DERR_DEVICELOST while the device cannot draw, D3DERR_DEVICENOTRESET
  // once Reset may bring it back.
  virtual HRESULT TestCooperativeLevel() = 0;
  // Fails while a vertex buffer of D3DPOOL_DEFAULT is still alive; every
  // state, binding and constant returns to its default.
  virtual HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) = 0;

  // Platform additions. The device belongs to one thread at a time: the one
  // that created it until it calls ReleaseThread, then whichever thread calls
  // AcquireThread.
  virtual HRESULT AcquireThread() = 0;
  virtual HRESULT ReleaseThread() = 0;
  // The back buffer as 0xAARRGGBB pixels, row 0 at the top.
  virtual HRESULT ReadBackBuffer(std::vector<uint32_t>* argb, int* width, int* height) = 0;
  // A copy of the back buffer's colour and depth, kept on the device under a
  // tag and put back in place of a later frame's full clear. Restoring fails
  // when nothing is kept under that tag (a reset forgets it) or something has
  // been drawn since the clear; D3DERR_NOTAVAILABLE where the device keeps none.
  // NoteKeptFrameOpenRects reads where the back buffer's depth still holds
  // its clear's, at the time of the call, and keeps that with the kept frame
  // (the whole back buffer until then): what is drawn after the keep in
  // every frame may cover it too. A restore reports it in `open` when not null.
  virtual HRESULT KeepFrame(uint64_t tag) = 0;
  virtual HRESULT NoteKeptFrameOpenRects() = 0;
  virtual HRESULT RestoreKeptFrame(uint64_t tag, OpenRects* open) = 0;
};

// IDirect3D9: adapter queries and device creation.
class Direct3D : public Unknown {
 public:
  virtual HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) = 0;
  virtual HRESULT CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type, D3DFORMAT surfaceFormat,
                                             BOOL windowed, D3DMULTISAMPLE_TYPE samples,
                                             DWORD* qualityLevels) = 0;
  virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviorFlags,
                               D3DPRESENT_PARAMETERS* parameters, Device** device) = 0;
};

// Which implementation Direct3DCreate9 hands out.
enum class Backend {
  OpenGL,  // the platform's own: OpenGL here, the system's Direct3D 9 on Windows
  Recording,
  Unavailable,  // Direct3DCreate9 yields null, as on a system without Direct3D 9
};
void SetBackend(Backend backend);


}  // namespace d3d9

using IDirect3D9 = d3d9::Direct3D;
using IDirect3DDevice9 = d3d9::Device;
using IDirect3DVertexBuffer9 = d3d9::VertexBuffer;
using IDirect3DTexture9 = d3d9::Texture;
using IDirect3DVertexDeclaration9 = d3d9::VertexDeclaration;
using IDirect3DVertexShader9 = d3d9::VertexShader;
using IDirect3DPixelShader9 = d3d9::PixelShader;

// Null when no Direct3D 9 is present (or the backend is set Unavailable).
d3d9::Direct3D* Direct3DCreate9(UINT sdkVersion);
