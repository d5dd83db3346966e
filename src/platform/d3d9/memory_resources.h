#pragma once
// Resources whose contents live in memory: what the recording backend keeps
// and what the OpenGL backend uploads from. A backend that keeps the contents
// itself may let the memory go after an upload; a later lock brings it back.
#include <vector>

#include "platform/d3d9/d3d9.h"

namespace d3d9 {

class MemoryVertexBuffer : public VertexBuffer {
 public:
  MemoryVertexBuffer(UINT length, DWORD usage, DWORD fvf);
  HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
  HRESULT Unlock() override;
  UINT Length() const override { return length_; }
  // Null once released.
  const uint8_t* Data() const { return bytes_.data(); }
  DWORD Usage() const { return usage_; }
  DWORD Fvf() const { return fvf_; }

 protected:
  virtual void Unlocked(UINT /*offset*/, UINT /*size*/) {}
  // Frees the memory copy; the next lock restores it with RestoreBytes.
  void ReleaseBytes();
  virtual void RestoreBytes(uint8_t* /*bytes*/) {}

 private:
  std::vector<uint8_t> bytes_;
  UINT length_;
  bool released_ = false;
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
  // Null once the level is released.
  const uint8_t* LevelData(UINT level) const { return levels_[level].bytes.data(); }
  UINT LevelPitch(UINT level) const { return levels_[level].width * BytesPerTexel(format_); }

  static UINT FullChainLength(UINT width, UINT height);

 protected:
  virtual void LevelUnlocked(UINT /*level*/) {}
  // Frees a level's memory copy; the next lock restores it with RestoreLevel.
  void ReleaseLevelBytes(UINT level);
  virtual void RestoreLevel(UINT /*level*/, uint8_t* /*bytes*/) {}

 private:
  struct Level {
    UINT width, height;
    std::vector<uint8_t> bytes;
    bool locked = false;
    bool released = false;
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
