#include "platform/dsound/dsound.h"

#include <new>

#include "platform/openal/sound_output.h"

HRESULT DirectSoundCreate(const GUID* device, IDirectSound** sound, void* outer) {
  if (!sound || outer) return DSERR_INVALIDPARAM;
  *sound = nullptr;
  // Only the default device is known here.
  if (device) return DSERR_NODRIVER;
  std::shared_ptr<SoundOutput> output = OpenSoundOutput();
  if (!output) return DSERR_NODRIVER;
  *sound = new IDirectSound(std::move(output));
  return DS_OK;
}

HRESULT IDirectSound::SetCooperativeLevel(HWND, uint32_t level) {
  if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
  output_->cooperativeLevel = level;
  return DS_OK;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void* outer) {
  if (!buffer || outer) return DSERR_INVALIDPARAM;
  *buffer = nullptr;
  if (!desc || (desc->dwSize != DSBUFFERDESC_SIZE32 && desc->dwSize != sizeof(DSBUFFERDESC)))
    return DSERR_INVALIDPARAM;
  if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) {
    if (desc->dwBufferBytes != 0 || desc->lpwfxFormat) return DSERR_INVALIDPARAM;
  } else {
    if (!desc->lpwfxFormat) return DSERR_INVALIDPARAM;
    if (desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX) return DSERR_INVALIDPARAM;
  }
  IDirectSoundBuffer* created = nullptr;
  try {
    created = new IDirectSoundBuffer(output_, *desc);
  } catch (const std::bad_alloc&) {
    return DSERR_OUTOFMEMORY;
  }
  HRESULT hr = created->CreateSource(desc->dwBufferBytes);
  if (FAILED(hr)) {
    created->Release();
    return hr;
  }
  *buffer = created;
  return DS_OK;
}
