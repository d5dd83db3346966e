#include "d3dutil/texture_loader.h"

#include <cmath>
#include <cstring>
#include <map>

#include "d3dutil/decode_ahead.h"
#include "platform/files.h"
#include "platform/png_image.h"

namespace {
// By path. Filled as start-up loads, before the frames that ask.
std::map<std::string, OpaqueInsetOfLoaded> LoadedInsets;

UINT PowerOfTwoAtLeast(UINT n) {
  UINT p = 1;
  while (p < n) p <<= 1;
  return p;
}

UINT ChosenSize(UINT asked, UINT fromFile) {
  if (asked == 0 || asked == D3DX_DEFAULT) return PowerOfTwoAtLeast(fromFile);
  if (asked == D3DX_DEFAULT_NONPOW2 || asked == D3DX_FROM_FILE) return fromFile;
  return asked;
}

// Index i of a row or column of n, outside it mirrored or clamped.
int Wrap(int i, int n, bool mirror) {
  if (i >= 0 && i < n) return i;
  if (!mirror || n == 1) return i < 0 ? 0 : n - 1;
  int period = 2 * n;
  int m = ((i % period) + period) % period;
  return m < n ? m : period - 1 - m;
}

// lround for the non-negative values a blend of two channels gives, without
// the library call: loading resamples every texel of every mip level.
uint32_t RoundChannel(float value) {
  uint32_t whole = uint32_t(value);
  return value - float(whole) >= 0.5f ? whole + 1 : whole;
}

uint32_t Lerp(uint32_t a, uint32_t b, float t) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    float ca = float((a >> shift) & 255), cb = float((b >> shift) & 255);
    out |= RoundChannel(ca + (cb - ca) * t) << shift;
  }
  return out;
}

// Whether the filter averages texels (D3DX_FILTER_NONE and POINT copy them).
bool BlendsTexels(DWORD filter) {
  const DWORD kind = filter & 0xFF;
  return kind != D3DX_FILTER_NONE && kind != D3DX_FILTER_POINT;
}

// True when each side is halved, or stays at 1: every texel of the result
// then lies halfway between two (or four) of the source.
bool HalvesBothSides(const ArgbImage& source, int width, int height) {
  auto halves = [](int from, int to) { return from == 2 * to || (from == 1 && to == 1); };
  return halves(source.width, width) && halves(source.height, height);
}

// Resamples `source` to width x height with the D3DX filter given.
ArgbImage Resample(const ArgbImage& source, int width, int height, DWORD filter) {
  if (width == source.width && height == source.height) return source;
  if (BlendsTexels(filter) && HalvesBothSides(source, width, height)) return HalveImage(source);
  ArgbImage out;
  out.width = width;
  out.height = height;
  out.hasAlpha = source.hasAlpha;
  out.pixels.assign(size_t(width) * height, 0);
  auto at = [&](int x, int y) { return source.pixels[size_t(y) * source.width + x]; };
  const DWORD kind = filter & 0xFF;
  if (kind == D3DX_FILTER_NONE) {
    for (int y = 0; y < height && y < source.height; ++y)
      for (int x = 0; x < width && x < source.width; ++x) out.pixels[size_t(y) * width + x] = at(x, y);
    return out;
  }
  bool mirrorU = filter & D3DX_FILTER_MIRROR_U, mirrorV = filter & D3DX_FILTER_MIRROR_V;
  float scaleX = float(source.width) / width, scaleY = float(source.height) / height;
  for (int y = 0; y < height; ++y) {
    float sy = (y + 0.5f) * scaleY - 0.5f;
    for (int x = 0; x < width; ++x) {
      float sx = (x + 0.5f) * scaleX - 0.5f;
      uint32_t value;
      if (kind == D3DX_FILTER_POINT) {
        value = at(Wrap(int(std::floor(sx + 0.5f)), source.width, mirrorU),
                   Wrap(int(std::floor(sy + 0.5f)), source.height, mirrorV));
      } else {
        int x0 = int(std::floor(sx)), y0 = int(std::floor(sy));
        float fx = sx - x0, fy = sy - y0;
        int xa = Wrap(x0, source.width, mirrorU), xb = Wrap(x0 + 1, source.width, mirrorU);
        int ya = Wrap(y0, source.height, mirrorV), yb = Wrap(y0 + 1, source.height, mirrorV);
        value = Lerp(Lerp(at(xa, ya), at(xb, ya), fx), Lerp(at(xa, yb), at(xb, yb), fx), fy);
      }
      out.pixels[size_t(y) * width + x] = value;
    }
  }
  return out;
}

bool FillLevel(d3d9::Texture* texture, UINT level, const ArgbImage& image) {
  D3DLOCKED_RECT locked;
  if (FAILED(texture->LockRect(level, &locked, nullptr, 0))) return false;
  for (int y = 0; y < image.height; ++y)
    std::memcpy(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch, &image.pixels[size_t(y) * image.width],
                size_t(image.width) * 4);
  texture->UnlockRect(level);
  return true;
}

}  // namespace

bool KnownOpaqueInset(const std::string& path, OpaqueInsetOfLoaded* out) {
  const auto known = LoadedInsets.find(path);
  if (known == LoadedInsets.end()) return false;
  *out = known->second;
  return true;
}

HRESULT D3DXCreateTextureFromFileExA(d3d9::Device* device, const char* srcFile, UINT width, UINT height,
                                     UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                     DWORD mipFilter, D3DCOLOR colorKey, D3DXIMAGE_INFO* srcInfo, PALETTEENTRY*,
                                     d3d9::Texture** texture) {
  if (!texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (!device || !srcFile) return D3DERR_INVALIDCALL;
  if (format == D3DFMT_UNKNOWN || format == static_cast<D3DFORMAT>(D3DX_DEFAULT)) format = D3DFMT_A8R8G8B8;
  if (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8) return D3DERR_INVALIDCALL;

  DecodedAhead ahead;
  const bool decodedAhead = TakeDecodedAhead(srcFile, &ahead);
  if (decodedAhead) LoadedInsets[srcFile] = {ahead.opaqueInset, ahead.image.width, ahead.image.height};
  ArgbImage image = std::move(ahead.image);
  std::vector<unsigned char> bytes;
  if (!decodedAhead && !ReadWholeFile(srcFile, bytes)) return D3DERR_NOTFOUND;
  if (!decodedAhead && !DecodePng(bytes, &image)) return D3DXERR_INVALIDDATA;
  if (srcInfo) {
    *srcInfo = D3DXIMAGE_INFO{UINT(image.width), UINT(image.height), 1, 1,
                              image.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8, D3DRTYPE_TEXTURE, D3DXIFF_PNG};
  }
  if (colorKey != 0) {
    ahead.mips.clear();
    for (uint32_t& p : image.pixels)
      if (p == colorKey) p = 0;
  }

  D3DCAPS9 caps{};
  device->GetDeviceCaps(&caps);
  UINT maxSide = caps.MaxTextureWidth ? caps.MaxTextureWidth : 2048;
  UINT w = ChosenSize(width, UINT(image.width)), h = ChosenSize(height, UINT(image.height));
  if (w > maxSide) w = maxSide;
  if (h > maxSide) h = maxSide;
  if (filter == D3DX_DEFAULT) filter = D3DX_FILTER_LINEAR;
  if (mipFilter == D3DX_DEFAULT) mipFilter = D3DX_FILTER_LINEAR;
  // Levels are always made from the one above; without a filter, by picking.
  if ((mipFilter & 0xFF) == D3DX_FILTER_NONE) mipFilter = (mipFilter & ~0xFFu) | D3DX_FILTER_POINT;
  if (mipLevels == D3DX_DEFAULT || mipLevels == D3DX_FROM_FILE) mipLevels = 0;

  d3d9::Texture* created = nullptr;
  HRESULT result = device->CreateTexture(w, h, mipLevels, usage, format, pool, &created);
  if (FAILED(result)) return result;
  const bool ownSize = int(w) == image.width && int(h) == image.height;
  ArgbImage level = ownSize ? std::move(image) : Resample(image, int(w), int(h), filter);
  for (UINT i = 0; i < created->GetLevelCount(); ++i) {
    if (i > 0) {
      D3DSURFACE_DESC desc;
      created->GetLevelDesc(i, &desc);
      // The levels made ahead are the ones the linear filter would make here.
      ArgbImage* made = ownSize && i <= ahead.mips.size() ? &ahead.mips[i - 1] : nullptr;
      if (made && made->width == int(desc.Width) && made->height == int(desc.Height) && BlendsTexels(mipFilter))
        level = std::move(*made);
      else
        level = Resample(level, int(desc.Width), int(desc.Height), mipFilter);
    }
    if (!FillLevel(created, i, level)) {
      created->Release();
      return D3DERR_INVALIDCALL;
    }
  }
  *texture = created;
  return D3D_OK;
}
