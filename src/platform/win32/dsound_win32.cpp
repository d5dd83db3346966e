// The game's DirectSound interface forwarded to the system's DirectSound.
#include "platform/test_hooks.h"
#include "platform/dsound/dsound.h"

#include "platform/win32/dsound_system.h"
#include "platform/win32/system_window.h"

// The system's DirectSound object, shared by the game's object and its buffers.
struct SoundOutput {
  void* system = nullptr;
  SoundOutput() = default;
  SoundOutput(const SoundOutput&) = delete;
  SoundOutput& operator=(const SoundOutput&) = delete;
  ~SoundOutput() { system_dsound::Release(system); }
};

namespace {
SoundDeviceChoice deviceChoice = SoundDeviceChoice::Default;

system_dsound::Format SystemFormat(const WAVEFORMATEX& f) {
  return system_dsound::Format{f.wFormatTag,      f.nChannels,   f.nSamplesPerSec,
                               f.nAvgBytesPerSec, f.nBlockAlign, f.wBitsPerSample};
}
}  // namespace

// The system mixes for itself: no loopback device here.
void ChooseSoundDeviceForTests(SoundDeviceChoice choice, int) { deviceChoice = choice; }
bool RenderLoopback(IDirectSound*, int16_t*, uint32_t) { return false; }

HRESULT DirectSoundCreate(const GUID* device, IDirectSound** sound, void* outer) {
  if (!sound || outer) return DSERR_INVALIDPARAM;
  *sound = nullptr;
  if (device || deviceChoice != SoundDeviceChoice::Default) return DSERR_NODRIVER;
  auto output = std::make_shared<SoundOutput>();
  HRESULT hr = system_dsound::Create(&output->system);
  if (FAILED(hr)) return hr;
  *sound = new IDirectSound(std::move(output));
  return DS_OK;
}

HRESULT IDirectSound::SetCooperativeLevel(HWND window, uint32_t level) {
  return system_dsound::SetCooperativeLevel(output_->system, SystemWindowOf(window), level);
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void* outer) {
  if (!buffer || outer || !desc) return DSERR_INVALIDPARAM;
  *buffer = nullptr;
  system_dsound::Format format{};
  if (desc->lpwfxFormat) format = SystemFormat(*desc->lpwfxFormat);
  void* made = nullptr;
  HRESULT hr = system_dsound::CreateBuffer(output_->system, desc->dwFlags, desc->dwBufferBytes,
                                           desc->lpwfxFormat ? &format : nullptr, &made);
  if (FAILED(hr)) return hr;
  *buffer = new IDirectSoundBuffer(output_, *desc);
  (*buffer)->system_ = made;
  return DS_OK;
}

IDirectSoundBuffer::IDirectSoundBuffer(std::shared_ptr<SoundOutput> output, const DSBUFFERDESC& desc)
    : output_(std::move(output)), flags_(desc.dwFlags) {}

IDirectSoundBuffer::~IDirectSoundBuffer() { system_dsound::Release(system_); }

HRESULT IDirectSoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
                                 uint32_t* bytes2, uint32_t flags) {
  return system_dsound::Lock(system_, offset, bytes, part1, bytes1, part2, bytes2, flags);
}
HRESULT IDirectSoundBuffer::Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2) {
  return system_dsound::Unlock(system_, part1, bytes1, part2, bytes2);
}
HRESULT IDirectSoundBuffer::Play(uint32_t, uint32_t, uint32_t flags) { return system_dsound::Play(system_, flags); }
HRESULT IDirectSoundBuffer::Stop() { return system_dsound::Stop(system_); }
HRESULT IDirectSoundBuffer::SetCurrentPosition(uint32_t position) {
  return system_dsound::SetCurrentPosition(system_, position);
}
HRESULT IDirectSoundBuffer::GetCurrentPosition(uint32_t* play, uint32_t* write) {
  return system_dsound::GetCurrentPosition(system_, play, write);
}
HRESULT IDirectSoundBuffer::SetVolume(int32_t volume) { return system_dsound::SetVolume(system_, volume); }
HRESULT IDirectSoundBuffer::GetVolume(int32_t* volume) { return system_dsound::GetVolume(system_, volume); }
HRESULT IDirectSoundBuffer::GetStatus(uint32_t* status) { return system_dsound::GetStatus(system_, status); }
HRESULT IDirectSoundBuffer::SetFormat(const WAVEFORMATEX* format) {
  if (!format) return DSERR_INVALIDPARAM;
  system_dsound::Format systemFormat = SystemFormat(*format);
  return system_dsound::SetFormat(system_, &systemFormat);
}

uint32_t IDirectSoundBuffer::AddRef() { return ++references_; }

uint32_t IDirectSoundBuffer::Release() {
  uint32_t left = --references_;
  if (left == 0) delete this;
  return left;
}
