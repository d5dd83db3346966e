#pragma once
// DirectSound in its own names, flags and result codes, played through
// OpenAL Soft. A secondary buffer is an OpenAL buffer with its own source;
// what is written between Lock and Unlock is uploaded at Unlock.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/d3d9/d3d9types.h"
#include "platform/window.h"

struct GUID {
  uint32_t Data1;
  uint16_t Data2, Data3;
  uint8_t Data4[8];
};

constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_ALLOCATED = static_cast<HRESULT>(0x8878000A);
constexpr HRESULT DSERR_CONTROLUNAVAIL = static_cast<HRESULT>(0x8878001E);
constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032);
constexpr HRESULT DSERR_PRIOLEVELNEEDED = static_cast<HRESULT>(0x88780046);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064);
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078);
constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DSERR_GENERIC = E_FAIL;

constexpr uint16_t WAVE_FORMAT_PCM = 1;

struct WAVEFORMATEX {
  uint16_t wFormatTag;
  uint16_t nChannels;
  uint32_t nSamplesPerSec;
  uint32_t nAvgBytesPerSec;
  uint16_t nBlockAlign;
  uint16_t wBitsPerSample;
  uint16_t cbSize;
};

constexpr uint32_t DSSCL_NORMAL = 1;
constexpr uint32_t DSSCL_PRIORITY = 2;
constexpr uint32_t DSSCL_EXCLUSIVE = 3;
constexpr uint32_t DSSCL_WRITEPRIMARY = 4;

constexpr uint32_t DSBCAPS_PRIMARYBUFFER = 0x01;
constexpr uint32_t DSBCAPS_STATIC = 0x02;
constexpr uint32_t DSBCAPS_LOCHARDWARE = 0x04;
constexpr uint32_t DSBCAPS_LOCSOFTWARE = 0x08;
constexpr uint32_t DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr uint32_t DSBCAPS_CTRLPAN = 0x40;
constexpr uint32_t DSBCAPS_CTRLVOLUME = 0x80;

constexpr uint32_t DSBPLAY_LOOPING = 0x1;
constexpr uint32_t DSBSTATUS_PLAYING = 0x1;
constexpr uint32_t DSBSTATUS_LOOPING = 0x4;
constexpr uint32_t DSBLOCK_FROMWRITECURSOR = 0x1;
constexpr uint32_t DSBLOCK_ENTIREBUFFER = 0x2;

constexpr int32_t DSBVOLUME_MIN = -10000;
constexpr int32_t DSBVOLUME_MAX = 0;
constexpr uint32_t DSBSIZE_MIN = 4;
constexpr uint32_t DSBSIZE_MAX = 0x0FFFFFFF;
constexpr uint32_t DSBFREQUENCY_MIN = 100;
constexpr uint32_t DSBFREQUENCY_MAX = 200000;

struct DSBUFFERDESC {
  uint32_t dwSize;
  uint32_t dwFlags;
  uint32_t dwBufferBytes;
  uint32_t dwReserved;
  WAVEFORMATEX* lpwfxFormat;
  GUID guid3DAlgorithm;
};
// The structure's size as a 32-bit Windows program fills in dwSize; the
// native size is accepted too.
constexpr uint32_t DSBUFFERDESC_SIZE32 = 36;

struct SoundOutput;

class IDirectSoundBuffer {
 public:
  IDirectSoundBuffer(const IDirectSoundBuffer&) = delete;
  IDirectSoundBuffer& operator=(const IDirectSoundBuffer&) = delete;

  HRESULT Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2, uint32_t* bytes2,
               uint32_t flags);
  HRESULT Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2);
  HRESULT Play(uint32_t reserved, uint32_t priority, uint32_t flags);
  HRESULT Stop();
  HRESULT SetCurrentPosition(uint32_t position);
  HRESULT GetCurrentPosition(uint32_t* play, uint32_t* write);
  HRESULT SetVolume(int32_t volume);
  HRESULT GetVolume(int32_t* volume);
  HRESULT GetStatus(uint32_t* status);
  HRESULT SetFormat(const WAVEFORMATEX* format);
  uint32_t AddRef();
  uint32_t Release();

 private:
  friend class IDirectSound;
  IDirectSoundBuffer(std::shared_ptr<SoundOutput> output, const DSBUFFERDESC& desc);
  ~IDirectSoundBuffer();
  HRESULT CreateSource(uint32_t bufferBytes);
  HRESULT Upload();
  bool Primary() const { return (flags_ & DSBCAPS_PRIMARYBUFFER) != 0; }

  std::shared_ptr<SoundOutput> output_;
  uint32_t references_ = 1;
  uint32_t flags_;
  WAVEFORMATEX format_{};
  std::vector<uint8_t> bytes_;
  uint32_t alBuffer_ = 0;
  uint32_t alSource_ = 0;
  uint32_t pendingFrame_ = 0;
  int32_t volume_ = DSBVOLUME_MAX;
  bool primaryPlaying_ = false;
  [[maybe_unused]] void* system_ = nullptr;  // the system's own buffer, where there is one (Windows)
};

class IDirectSound {
 public:
  IDirectSound(const IDirectSound&) = delete;
  IDirectSound& operator=(const IDirectSound&) = delete;

  // The window is not needed to mix here; any window, even none, is accepted.
  HRESULT SetCooperativeLevel(HWND window, uint32_t level);
  HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void* outer);
  uint32_t AddRef();
  uint32_t Release();

 private:
  friend HRESULT DirectSoundCreate(const GUID*, IDirectSound**, void*);
  friend bool RenderLoopback(IDirectSound*, int16_t*, uint32_t);
  explicit IDirectSound(std::shared_ptr<SoundOutput> output);
  ~IDirectSound() = default;

  std::shared_ptr<SoundOutput> output_;
  uint32_t references_ = 1;
};

using LPDIRECTSOUND = IDirectSound*;
using LPDIRECTSOUNDBUFFER = IDirectSoundBuffer*;

// Opens the default audio device. Fails with DSERR_NODRIVER when there is
// none; the game then runs silent.
HRESULT DirectSoundCreate(const GUID* device, IDirectSound** sound, void* outer);

// A loopback device (platform/test_hooks.h) mixes only when RenderLoopback
// asks, into memory, as 16-bit samples at LoopbackRate.
constexpr uint32_t LoopbackRate = 88200;
// Mixes the next `frames` sample frames (interleaved channels) of a loopback
// device. False when `sound` was not opened on a loopback device.
bool RenderLoopback(IDirectSound* sound, int16_t* samples, uint32_t frames);
