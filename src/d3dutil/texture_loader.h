#pragma once
// D3DXCreateTextureFromFileExA for PNG files: decoded to A8R8G8B8, scaled to
// the asked size (a power of two by default) and given a mip chain.
#include <string>

#include "platform/d3d9/d3d9.h"

constexpr UINT D3DX_DEFAULT = static_cast<UINT>(-1);
constexpr UINT D3DX_DEFAULT_NONPOW2 = static_cast<UINT>(-2);
constexpr UINT D3DX_FROM_FILE = static_cast<UINT>(-3);

constexpr DWORD D3DX_FILTER_NONE = 0x00000001;
constexpr DWORD D3DX_FILTER_POINT = 0x00000002;
constexpr DWORD D3DX_FILTER_LINEAR = 0x00000003;
constexpr DWORD D3DX_FILTER_TRIANGLE = 0x00000004;
constexpr DWORD D3DX_FILTER_BOX = 0x00000005;
constexpr DWORD D3DX_FILTER_MIRROR_U = 0x00010000;
constexpr DWORD D3DX_FILTER_MIRROR_V = 0x00020000;
constexpr DWORD D3DX_FILTER_MIRROR_W = 0x00040000;
constexpr DWORD D3DX_FILTER_MIRROR = 0x00070000;
constexpr DWORD D3DX_FILTER_DITHER = 0x00080000;

constexpr HRESULT D3DERR_NOTFOUND = static_cast<HRESULT>(0x88760866);
constexpr HRESULT D3DXERR_INVALIDDATA = static_cast<HRESULT>(0x88760B59);

enum D3DXIMAGE_FILEFORMAT : uint32_t {
  D3DXIFF_BMP = 0,
  D3DXIFF_JPG = 1,
  D3DXIFF_TGA = 2,
  D3DXIFF_PNG = 3,
};

struct D3DXIMAGE_INFO {
  UINT Width;
  UINT Height;
  UINT Depth;
  UINT MipLevels;
  D3DFORMAT Format;
  D3DRESOURCETYPE ResourceType;
  D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

struct PALETTEENTRY {
  BYTE peRed, peGreen, peBlue, peFlags;
};

// width, height: D3DX_DEFAULT (or 0) rounds the file's size up to a power of
// two, D3DX_DEFAULT_NONPOW2 or D3DX_FROM_FILE keeps it, anything else is the
// size wanted. mipLevels: D3DX_DEFAULT or 0 for the full chain. format:
// D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8 or D3DFMT_UNKNOWN. filter and mipFilter:
// D3DX_FILTER_NONE, POINT, or any other value for linear filtering (the
// MIRROR bits mirror the image at its edges instead of clamping). colorKey:
// pixels of exactly that ARGB value become transparent black; 0 for none.
// Fails with D3DERR_NOTFOUND for a missing file and D3DXERR_INVALIDDATA for
// one that is not a readable PNG; `texture` is then null.
HRESULT D3DXCreateTextureFromFileExA(d3d9::Device* device, const char* srcFile, UINT width, UINT height,
                                     UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                     DWORD mipFilter, D3DCOLOR colorKey, D3DXIMAGE_INFO* srcInfo,
                                     PALETTEENTRY* palette, d3d9::Texture** texture);

// What the decoding thread (d3dutil/decode_ahead) found of a picture this
// loader took from it: how far in from every side it is wholly opaque, in
// texels, and its size. Kept for every such picture, so that asking needs no
// second decoding; false for a path not loaded that way.
struct OpaqueInsetOfLoaded {
  int texels = 0, width = 0, height = 0;
};
bool KnownOpaqueInset(const std::string& path, OpaqueInsetOfLoaded* out);
