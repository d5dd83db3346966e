#pragma once
// Resources whose contents live in memory: what the recording backend keeps
// and what the OpenGL backend uploads from.
#include <vector>

#include "platform/d3d9/d3d9.h"

namespace d3d9 {

class MemoryVertexBuffer : public VertexBuffer {
 public:
  MemoryVertexBuffer(UINT length, DWORD usage, DWORD fvf);
  HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
  HRESULT Unlock() override;
  UINT Length() const override { return static_cast<UINT>(bytes_.size()); }
  const uint8_t* Data() const { return bytes_.data(); }
  DWORD Usage() const { return usage_; }
  DWORD Fvf() const { return fvf_; }

 protected:
  virtual void Unlocked(UINT /*offset*/, UINT /*size*/) {}

 private:
  std::vector<uint8_t> bytes_;
  DWORD usage_, fvf_;
  bool locked_ = false;
  UINT lockOffset_ = 0, lockSize_ = 0;
};

class MemoryTexture : public Texture {
 public:
  // levels 0 asks for the full chain down to 1 x 1.
  MemoryTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool);
  DWORD GetLevelCount() const override { return static_cast<DWORD>(levels_.size()); }
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) const override;
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(UINT level) override;

  D3DFORMAT Format() const { return format_; }
  UINT LevelWidth(UINT level) const { return levels_[level].width; }
  UINT LevelHeight(UINT level) const { return levels_[level].height; }
  const uint8_t* LevelData(UINT level) const { return levels_[level].bytes.data(); }
  UINT LevelPitch(UINT level) const { return levels_[level].width * BytesPerTexel(format_); }

  static UINT FullChainLength(UINT width, UINT height);

 protected:
  virtual void LevelUnlocked(UINT /*level*/) {}

 private:
  struct Level {
    UINT width, height;
    std::vector<uint8_t> bytes;
    bool locked = false;
  };
  std::vector<Level> levels_;
  DWORD usage_;
  D3DFORMAT format_;
  D3DPOOL pool_;
};

class MemoryVertexDeclaration : public VertexDeclaration {
 public:
  explicit MemoryVertexDeclaration(std::vector<D3DVERTEXELEMENT9> elements) : elements_(std::move(elements)) {}
  const std::vector<D3DVERTEXELEMENT9>& Elements() const override { return elements_; }

 private:
  std::vector<D3DVERTEXELEMENT9> elements_;
};

class MemoryVertexShader : public VertexShader {
 public:
  explicit MemoryVertexShader(std::vector<DWORD> tokens) : tokens_(std::move(tokens)) {}
  const std::vector<DWORD>& Function() const override { return tokens_; }

 private:
  std::vector<DWORD> tokens_;
};

class MemoryPixelShader : public PixelShader {
 public:
  explicit MemoryPixelShader(std::vector<DWORD> tokens) : tokens_(std::move(tokens)) {}
  const std::vector<DWORD>& Function() const override { return tokens_; }

 private:
  std::vector<DWORD> tokens_;
};

// Largest texture side either backend accepts.
constexpr UINT kMaxTextureSize = 8192;

// Checks CreateTexture's arguments; D3D_OK when a texture can be made.
HRESULT ValidateTextureRequest(UINT width, UINT height, D3DFORMAT format);

}  // namespace d3d9
