// The DirectSound object's lifetime, the same whichever system mixes.
#include "platform/dsound/dsound.h"

IDirectSound::IDirectSound(std::shared_ptr<SoundOutput> output) : output_(std::move(output)) {}

uint32_t IDirectSound::AddRef() { return ++references_; }

uint32_t IDirectSound::Release() {
  uint32_t left = --references_;
  if (left == 0) delete this;
  return left;
}
