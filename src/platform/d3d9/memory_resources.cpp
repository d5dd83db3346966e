#include "platform/d3d9/memory_resources.h"

namespace d3d9 {

MemoryVertexBuffer::MemoryVertexBuffer(UINT length, DWORD usage, DWORD fvf)
    : bytes_(length, 0), length_(length), usage_(usage), fvf_(fvf) {}

HRESULT MemoryVertexBuffer::Lock(UINT offset, UINT size, void** data, DWORD flags) {
  if (!data || locked_) return D3DERR_INVALIDCALL;
  if (offset == 0 && size == 0) size = Length();
  if (offset > Length() || size > Length() - offset) return D3DERR_INVALIDCALL;
  if (released_) {
    bytes_.assign(length_, 0);
    released_ = false;
    // Discarded contents need not come back.
    if (!(flags & D3DLOCK_DISCARD)) RestoreBytes(bytes_.data());
  }
  locked_ = true;
  lockOffset_ = offset;
  lockSize_ = size;
  *data = bytes_.data() + offset;
  return D3D_OK;
}

HRESULT MemoryVertexBuffer::Unlock() {
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  Unlocked(lockOffset_, lockSize_);
  return D3D_OK;
}

void MemoryVertexBuffer::ReleaseBytes() {
  if (locked_) return;
  std::vector<uint8_t>().swap(bytes_);
  released_ = true;
}

UINT MemoryTexture::FullChainLength(UINT width, UINT height) {
  UINT levels = 1;
  while (width > 1 || height > 1) {
    width = width > 1 ? width / 2 : 1;
    height = height > 1 ? height / 2 : 1;
    ++levels;
  }
  return levels;
}

MemoryTexture::MemoryTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : usage_(usage), format_(format), pool_(pool) {
  UINT full = FullChainLength(width, height);
  if (levels == 0 || levels > full) levels = full;
  for (UINT i = 0; i < levels; ++i) {
    Level level{width, height, std::vector<uint8_t>(size_t(width) * height * BytesPerTexel(format), 0)};
    levels_.push_back(std::move(level));
    width = width > 1 ? width / 2 : 1;
    height = height > 1 ? height / 2 : 1;
  }
}

HRESULT MemoryTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) const {
  if (!desc || level >= levels_.size()) return D3DERR_INVALIDCALL;
  *desc = D3DSURFACE_DESC{format_, D3DRTYPE_SURFACE, usage_, pool_, D3DMULTISAMPLE_NONE, 0,
                          levels_[level].width, levels_[level].height};
  return D3D_OK;
}

HRESULT MemoryTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  if (!locked || level >= levels_.size() || levels_[level].locked) return D3DERR_INVALIDCALL;
  Level& l = levels_[level];
  size_t offset = 0;
  if (rect) {
    if (rect->left < 0 || rect->top < 0 || rect->left >= rect->right || rect->top >= rect->bottom ||
        UINT(rect->right) > l.width || UINT(rect->bottom) > l.height)
      return D3DERR_INVALIDCALL;
    offset = (size_t(rect->top) * l.width + rect->left) * BytesPerTexel(format_);
  }
  if (l.released) {
    l.bytes.assign(size_t(l.width) * l.height * BytesPerTexel(format_), 0);
    l.released = false;
    if (!(flags & D3DLOCK_DISCARD)) RestoreLevel(level, l.bytes.data());
  }
  l.locked = true;
  locked->Pitch = static_cast<INT>(LevelPitch(level));
  locked->pBits = l.bytes.data() + offset;
  return D3D_OK;
}

HRESULT MemoryTexture::UnlockRect(UINT level) {
  if (level >= levels_.size() || !levels_[level].locked) return D3DERR_INVALIDCALL;
  levels_[level].locked = false;
  LevelUnlocked(level);
  return D3D_OK;
}

void MemoryTexture::ReleaseLevelBytes(UINT level) {
  Level& l = levels_[level];
  if (l.locked) return;
  std::vector<uint8_t>().swap(l.bytes);
  l.released = true;
}

HRESULT ValidateTextureRequest(UINT width, UINT height, D3DFORMAT format) {
  if (width == 0 || height == 0 || width > kMaxTextureSize || height > kMaxTextureSize) return D3DERR_INVALIDCALL;
  if (BytesPerTexel(format) == 0) return D3DERR_INVALIDCALL;
  return D3D_OK;
}

}  // namespace d3d9
