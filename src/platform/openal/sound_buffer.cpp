#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "platform/dsound/dsound.h"
#include "platform/openal/sound_output.h"

namespace {
// What DirectSound accepts in a plain WAVEFORMATEX: PCM, mono or stereo,
// 8 or 16 bits, consistent frame size, a rate in its range.
HRESULT CheckFormat(const WAVEFORMATEX* format) {
  if (!format) return DSERR_INVALIDPARAM;
  if (format->wFormatTag != WAVE_FORMAT_PCM) return DSERR_BADFORMAT;
  if (format->nChannels == 0 || format->nSamplesPerSec == 0 || format->nBlockAlign == 0) return DSERR_INVALIDPARAM;
  if (format->nChannels > 2) return DSERR_BADFORMAT;
  if (format->wBitsPerSample != 8 && format->wBitsPerSample != 16) return DSERR_BADFORMAT;
  if (format->nBlockAlign != format->nChannels * format->wBitsPerSample / 8) return DSERR_INVALIDPARAM;
  if (format->nSamplesPerSec < DSBFREQUENCY_MIN || format->nSamplesPerSec > DSBFREQUENCY_MAX)
    return DSERR_INVALIDPARAM;
  return DS_OK;
}

int SampleAt(const uint8_t* frame, int channel, int bits) {
  if (bits == 8) return frame[channel];
  const uint8_t* p = frame + channel * 2;
  return static_cast<int16_t>(p[0] | (p[1] << 8));
}

void StoreSample(uint8_t* out, int value, int bits) {
  if (bits == 8) {
    *out = static_cast<uint8_t>(value);
  } else {
    int16_t sample = static_cast<int16_t>(value);
    std::memcpy(out, &sample, sizeof sample);
  }
}

ALenum AlFormat(int channels, int bits) {
  if (channels == 1) return bits == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
  return bits == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

// OpenAL plays a mono source on a stereo device 4.5 dB below DirectSound's
// level, so mono data goes out as identical left and right channels; on a
// mono device, stereo data is averaged to one channel.
std::vector<uint8_t> ConvertForOutput(const std::vector<uint8_t>& bytes, const WAVEFORMATEX& format,
                                      int outChannels) {
  const int bits = format.wBitsPerSample;
  const int inChannels = format.nChannels;
  const size_t frames = bytes.size() / format.nBlockAlign;
  const size_t outFrameBytes = static_cast<size_t>(outChannels) * bits / 8;
  std::vector<uint8_t> out(frames * outFrameBytes);
  for (size_t i = 0; i < frames; ++i) {
    const uint8_t* frame = bytes.data() + i * format.nBlockAlign;
    uint8_t* target = out.data() + i * outFrameBytes;
    for (int c = 0; c < outChannels; ++c) {
      int value = inChannels == outChannels ? SampleAt(frame, c, bits)
                  : inChannels == 1         ? SampleAt(frame, 0, bits)
                                            : (SampleAt(frame, 0, bits) + SampleAt(frame, 1, bits)) / 2;
      StoreSample(target + c * bits / 8, value, bits);
    }
  }
  return out;
}

ALint SourceState(ALuint source) {
  ALint state = AL_INITIAL;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}
}  // namespace

IDirectSoundBuffer::IDirectSoundBuffer(std::shared_ptr<SoundOutput> output, const DSBUFFERDESC& desc)
    : output_(std::move(output)), flags_(desc.dwFlags) {
  if (desc.lpwfxFormat) format_ = *desc.lpwfxFormat;
}

IDirectSoundBuffer::~IDirectSoundBuffer() {
  if (!alSource_ && !alBuffer_) return;
  output_->MakeCurrent();
  if (alSource_) {
    alSourceStop(alSource_);
    alDeleteSources(1, &alSource_);
  }
  if (alBuffer_) alDeleteBuffers(1, &alBuffer_);
}

HRESULT IDirectSoundBuffer::CreateSource(uint32_t bufferBytes) {
  if (Primary()) return DS_OK;
  HRESULT hr = CheckFormat(&format_);
  if (FAILED(hr)) return hr;
  try {
    bytes_.assign(bufferBytes, 0);
  } catch (const std::bad_alloc&) {
    return DSERR_OUTOFMEMORY;
  }
  output_->MakeCurrent();
  alGetError();
  alGenBuffers(1, &alBuffer_);
  if (alGetError() != AL_NO_ERROR) {
    alBuffer_ = 0;
    return DSERR_OUTOFMEMORY;
  }
  alGenSources(1, &alSource_);
  if (alGetError() != AL_NO_ERROR) {
    alSource_ = 0;
    return DSERR_OUTOFMEMORY;
  }
  alSourcei(alSource_, AL_SOURCE_RELATIVE, AL_TRUE);
  alSource3f(alSource_, AL_POSITION, 0.0f, 0.0f, 0.0f);
  alSourcef(alSource_, AL_ROLLOFF_FACTOR, 0.0f);
  return Upload();
}

HRESULT IDirectSoundBuffer::Upload() {
  const int outChannels = output_->MonoOutput() ? 1 : 2;
  std::vector<uint8_t> data;
  try {
    data = ConvertForOutput(bytes_, format_, outChannels);
  } catch (const std::bad_alloc&) {
    return DSERR_OUTOFMEMORY;
  }
  output_->MakeCurrent();
  alSourceStop(alSource_);
  alSourcei(alSource_, AL_BUFFER, 0);
  alGetError();
  alBufferData(alBuffer_, AlFormat(outChannels, format_.wBitsPerSample), data.data(),
               static_cast<ALsizei>(data.size()), static_cast<ALsizei>(format_.nSamplesPerSec));
  if (alGetError() != AL_NO_ERROR) return DSERR_OUTOFMEMORY;
  alSourcei(alSource_, AL_BUFFER, static_cast<ALint>(alBuffer_));
  pendingFrame_ = 0;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
                                 uint32_t* bytes2, uint32_t flags) {
  // Writing the primary buffer needs DSSCL_WRITEPRIMARY, which the game never asks for.
  if (Primary()) return DSERR_INVALIDCALL;
  if (!part1 || !bytes1) return DSERR_INVALIDPARAM;
  const uint32_t size = static_cast<uint32_t>(bytes_.size());
  if (flags & DSBLOCK_FROMWRITECURSOR) GetCurrentPosition(nullptr, &offset);
  if (flags & DSBLOCK_ENTIREBUFFER) bytes = size;
  if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
  const uint32_t first = std::min(bytes, size - offset);
  *part1 = bytes_.data() + offset;
  *bytes1 = first;
  if (part2) *part2 = bytes > first ? bytes_.data() : nullptr;
  if (bytes2) *bytes2 = part2 ? bytes - first : 0;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(void* part1, uint32_t bytes1, void*, uint32_t) {
  if (Primary()) return DSERR_INVALIDCALL;
  const uint8_t* begin = bytes_.data();
  const uint8_t* first = static_cast<const uint8_t*>(part1);
  if (!first || first < begin || first + bytes1 > begin + bytes_.size()) return DSERR_INVALIDPARAM;
  return Upload();
}

HRESULT IDirectSoundBuffer::Play(uint32_t, uint32_t, uint32_t flags) {
  if (output_->cooperativeLevel == 0) return DSERR_PRIOLEVELNEEDED;
  if (Primary()) {
    if (!(flags & DSBPLAY_LOOPING)) return DSERR_INVALIDPARAM;
    primaryPlaying_ = true;
    return DS_OK;
  }
  output_->MakeCurrent();
  alSourcei(alSource_, AL_LOOPING, (flags & DSBPLAY_LOOPING) ? AL_TRUE : AL_FALSE);
  // Play on a playing buffer only changes looping; it does not restart.
  if (SourceState(alSource_) == AL_PLAYING) return DS_OK;
  alSourcePlay(alSource_);
  // Set once playing: an offset set on a rewound source is misread by OpenAL
  // Soft 1.19 (taken as bytes).
  if (pendingFrame_ > 0) alSourcei(alSource_, AL_SAMPLE_OFFSET, static_cast<ALint>(pendingFrame_));
  pendingFrame_ = 0;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::Stop() {
  if (Primary()) {
    primaryPlaying_ = false;
    return DS_OK;
  }
  output_->MakeCurrent();
  // Paused keeps the position, as a stopped DirectSound buffer does.
  if (SourceState(alSource_) == AL_PLAYING) alSourcePause(alSource_);
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetCurrentPosition(uint32_t position) {
  if (Primary()) return DSERR_INVALIDCALL;
  if (position >= bytes_.size()) return DSERR_INVALIDPARAM;
  const ALint frame = static_cast<ALint>(position / format_.nBlockAlign);
  output_->MakeCurrent();
  if (SourceState(alSource_) == AL_PLAYING) {
    alSourcei(alSource_, AL_SAMPLE_OFFSET, frame);
    return DS_OK;
  }
  // Rewound, the source starts from its beginning; Play moves it on to the frame.
  alSourceRewind(alSource_);
  pendingFrame_ = static_cast<uint32_t>(frame);
  return DS_OK;
}

HRESULT IDirectSoundBuffer::GetCurrentPosition(uint32_t* play, uint32_t* write) {
  uint32_t position = 0;
  if (!Primary()) {
    output_->MakeCurrent();
    ALint state = SourceState(alSource_);
    if (state == AL_PLAYING || state == AL_PAUSED) {
      ALint frame = 0;
      alGetSourcei(alSource_, AL_SAMPLE_OFFSET, &frame);
      position = static_cast<uint32_t>(std::max(frame, 0)) * format_.nBlockAlign;
    } else if (state == AL_INITIAL) {
      position = pendingFrame_ * format_.nBlockAlign;
    }
  }
  if (play) *play = position;
  if (write) *write = position;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetVolume(int32_t volume) {
  if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
  if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
  volume_ = volume;
  const float gain = static_cast<float>(std::pow(10.0, volume / 2000.0));
  output_->MakeCurrent();
  if (Primary())
    alListenerf(AL_GAIN, gain);
  else
    alSourcef(alSource_, AL_GAIN, gain);
  return DS_OK;
}

HRESULT IDirectSoundBuffer::GetVolume(int32_t* volume) {
  if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
  if (!volume) return DSERR_INVALIDPARAM;
  *volume = volume_;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::GetStatus(uint32_t* status) {
  if (!status) return DSERR_INVALIDPARAM;
  *status = 0;
  if (Primary()) {
    if (primaryPlaying_) *status = DSBSTATUS_PLAYING | DSBSTATUS_LOOPING;
    return DS_OK;
  }
  output_->MakeCurrent();
  if (SourceState(alSource_) != AL_PLAYING) return DS_OK;
  ALint looping = AL_FALSE;
  alGetSourcei(alSource_, AL_LOOPING, &looping);
  *status = DSBSTATUS_PLAYING | (looping ? DSBSTATUS_LOOPING : 0);
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFormat(const WAVEFORMATEX* format) {
  if (!Primary()) return DSERR_INVALIDCALL;
  if (output_->cooperativeLevel < DSSCL_PRIORITY) return DSERR_PRIOLEVELNEEDED;
  HRESULT hr = CheckFormat(format);
  if (FAILED(hr)) return hr;
  format_ = *format;
  return DS_OK;
}

uint32_t IDirectSoundBuffer::AddRef() { return ++references_; }

uint32_t IDirectSoundBuffer::Release() {
  uint32_t left = --references_;
  if (left == 0) delete this;
  return left;
}
