#include "platform/win32/dsound_system.h"

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <dsound.h>

namespace system_dsound {
namespace {
IDirectSoundBuffer* Buffer(void* buffer) { return static_cast<IDirectSoundBuffer*>(buffer); }

WAVEFORMATEX SystemFormat(const Format& f) {
  return WAVEFORMATEX{f.tag, f.channels, f.samplesPerSecond, f.bytesPerSecond, f.blockAlign, f.bitsPerSample, 0};
}
}  // namespace

int32_t Create(void** sound) {
  IDirectSound* made = nullptr;
  HRESULT hr = DirectSoundCreate(nullptr, &made, nullptr);
  *sound = SUCCEEDED(hr) ? made : nullptr;
  return hr;
}

uint32_t Release(void* object) { return object ? static_cast<IUnknown*>(object)->Release() : 0; }

int32_t SetCooperativeLevel(void* sound, void* window, uint32_t level) {
  return static_cast<IDirectSound*>(sound)->SetCooperativeLevel(static_cast<HWND>(window), level);
}

int32_t CreateBuffer(void* sound, uint32_t flags, uint32_t bytes, const Format* format, void** buffer) {
  WAVEFORMATEX wave{};
  if (format) wave = SystemFormat(*format);
  DSBUFFERDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwFlags = flags;
  desc.dwBufferBytes = bytes;
  desc.lpwfxFormat = format ? &wave : nullptr;
  IDirectSoundBuffer* made = nullptr;
  HRESULT hr = static_cast<IDirectSound*>(sound)->CreateSoundBuffer(&desc, &made, nullptr);
  *buffer = SUCCEEDED(hr) ? made : nullptr;
  return hr;
}

int32_t Lock(void* buffer, uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
             uint32_t* bytes2, uint32_t flags) {
  DWORD size1 = 0, size2 = 0;
  HRESULT hr = Buffer(buffer)->Lock(offset, bytes, part1, &size1, part2, &size2, flags);
  if (bytes1) *bytes1 = size1;
  if (bytes2) *bytes2 = size2;
  return hr;
}

int32_t Unlock(void* buffer, void* part1, uint32_t bytes1, void* part2, uint32_t bytes2) {
  return Buffer(buffer)->Unlock(part1, bytes1, part2, bytes2);
}
int32_t Play(void* buffer, uint32_t flags) { return Buffer(buffer)->Play(0, 0, flags); }
int32_t Stop(void* buffer) { return Buffer(buffer)->Stop(); }
int32_t SetCurrentPosition(void* buffer, uint32_t position) { return Buffer(buffer)->SetCurrentPosition(position); }

int32_t GetCurrentPosition(void* buffer, uint32_t* play, uint32_t* write) {
  DWORD playAt = 0, writeAt = 0;
  HRESULT hr = Buffer(buffer)->GetCurrentPosition(&playAt, &writeAt);
  if (play) *play = playAt;
  if (write) *write = writeAt;
  return hr;
}

int32_t SetVolume(void* buffer, int32_t volume) { return Buffer(buffer)->SetVolume(volume); }

int32_t GetVolume(void* buffer, int32_t* volume) {
  LONG level = 0;
  HRESULT hr = Buffer(buffer)->GetVolume(&level);
  *volume = level;
  return hr;
}

int32_t GetStatus(void* buffer, uint32_t* status) {
  DWORD flags = 0;
  HRESULT hr = Buffer(buffer)->GetStatus(&flags);
  *status = flags;
  return hr;
}

int32_t SetFormat(void* buffer, const Format* format) {
  WAVEFORMATEX wave = SystemFormat(*format);
  return Buffer(buffer)->SetFormat(&wave);
}

}  // namespace system_dsound
