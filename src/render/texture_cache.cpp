#include "render/texture_cache.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/graphics_device.h"
#include "core/options.h"
#include "d3dutil/decode_ahead.h"
#include "d3dutil/texture_loader.h"
#include "platform/files.h"
#include "platform/png_image.h"

TextureCache Textures;

namespace {

// Linear filtering, mirrored at the edges, when an image is scaled.
constexpr DWORD kLoadFilter = D3DX_FILTER_LINEAR | D3DX_FILTER_MIRROR_U | D3DX_FILTER_MIRROR_V |
                              D3DX_FILTER_MIRROR_W;

IDirect3DTexture9* LoadBuiltIn(const char* name) { return LoadTextureFile(BuiltInTextureFile(name).c_str()); }

IDirect3DTexture9* Shared(IDirect3DTexture9* texture) {
  if (texture) texture->AddRef();
  return texture;
}

void Release(IDirect3DTexture9*& texture) {
  if (texture) texture->Release();
  texture = nullptr;
}

DWORD AnisotropyDegree() {
  constexpr DWORD kWanted = 8;
  return std::clamp<DWORD>(Graphics.DeviceCaps.MaxAnisotropy, 1, kWanted);
}

// Bilinear filtering and the first mip levels reach this many texels across
// the edge of the opaque part.
constexpr int kFilterMargin = 4;

// From what the loading kept of the picture, or else from its file.
TextureInset OpaqueInsetOfPicture(const std::string& path) {
  OpaqueInsetOfLoaded known;
  if (!KnownOpaqueInset(path, &known)) {
    std::vector<unsigned char> bytes;
    ArgbImage image;
    if (!ReadWholeFile(path, bytes) || !DecodePng(bytes, &image)) return {};
    known = {OpaqueInsetTexels(image), image.width, image.height};
  }
  if (known.width <= 0 || known.height <= 0) return {};
  const float inset = static_cast<float>(known.texels + kFilterMargin);
  return {std::min(0.5f, inset / static_cast<float>(known.width)),
          std::min(0.5f, inset / static_cast<float>(known.height))};
}

}  // namespace

void SetStageAndSamplerDefaults() {
  Device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
  Device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  Device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
  Device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
  Device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
  if (Options.anisotropic && Graphics.AnisotropySupported) {
    Device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_ANISOTROPIC);
    Device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_ANISOTROPIC);
    Device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
    // The degree stays 1 (plain linear) unless it is raised.
    Device->SetSamplerState(0, D3DSAMP_MAXANISOTROPY, AnisotropyDegree());
  }
  Device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  Device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  Device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  Device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 1);
  Device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
  Device->SetSamplerState(1, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
  Device->SetSamplerState(1, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
  Device->SetSamplerState(1, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
  Device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  Device->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  Device->SetTextureStageState(1, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  Device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  Device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  Device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
}

std::string TextureFile(const char* name) { return std::string("textures\\") + name + ".png"; }

std::string BuiltInTextureFile(const char* name) { return std::string("bin\\") + name + ".png"; }

IDirect3DTexture9* LoadTextureFile(const char* path) {
  if (!Device) return nullptr;
  IDirect3DTexture9* texture = nullptr;
  HRESULT result = D3DXCreateTextureFromFileExA(Device, path, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, kLoadFilter, kLoadFilter, 0,
                                                nullptr, nullptr, &texture);
  return FAILED(result) ? nullptr : texture;
}

void TextureCache::loadBuiltInTextures() {
  blackTexture = LoadBuiltIn("black");
  errorTexture = LoadBuiltIn("error");
  fontTexture = LoadBuiltIn("defaultfont");
  if (!fontTexture) fontTexture = Shared(errorTexture);
  if (Device) SetStageAndSamplerDefaults();
}

IDirect3DTexture9* TextureCache::loadNamed(int32_t index) {
  IDirect3DTexture9* texture = LoadTextureFile(TextureFile(names.nameAt(index)).c_str());
  return texture ? texture : Shared(errorTexture);
}

bool TextureCache::addTextures(const char* list) {
  int32_t first = names.count;
  if (names.addNames(list) == 0) return false;
  for (int32_t i = first; i < names.count; ++i) textures.push_back(loadNamed(i));
  return true;
}

void TextureCache::bindTexture(DWORD stage, const char* name) {
  if (!Device) return;
  if (!name) {
    Device->SetTexture(stage, nullptr);
    return;
  }
  int32_t index = std::strcmp(name, "errortex") == 0 ? -1 : names.indexOf(name);
  bool known = index >= 0 && static_cast<size_t>(index) < textures.size();
  Device->SetTexture(stage, known ? textures[index] : errorTexture);
}

TextureInset TextureCache::opaqueInset(const char* name) {
  const int32_t index = name ? names.indexOf(name) : -1;
  if (index < 0) return {};
  if (opaqueInsets.size() <= static_cast<size_t>(index)) opaqueInsets.resize(index + 1, TextureInset{-1.0f, 0.5f});
  TextureInset& inset = opaqueInsets[index];
  if (inset.u < 0) inset = OpaqueInsetOfPicture(TextureFile(names.nameAt(index)));
  return inset;
}

void TextureCache::release() {
  Release(blackTexture);
  Release(errorTexture);
  for (IDirect3DTexture9*& texture : textures) Release(texture);
  textures.clear();
  Release(fontTexture);
}
