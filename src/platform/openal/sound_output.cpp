#include "platform/openal/sound_output.h"

#if __has_include(<AL/alext.h>)
#include <AL/alext.h>
#endif

#include "platform/dsound/dsound.h"
#include "platform/test_hooks.h"

namespace {
SoundDeviceChoice deviceChoice = SoundDeviceChoice::Default;
int loopbackChannelCount = 1;

#ifdef ALC_SOFT_loopback
ALCdevice* OpenLoopbackDevice() {
  if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) return nullptr;
  auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
  return open ? open(nullptr) : nullptr;
}

ALCcontext* CreateLoopbackContext(ALCdevice* device, int channels) {
  const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                               channels == 1 ? ALC_MONO_SOFT : ALC_STEREO_SOFT,
                               ALC_FORMAT_TYPE_SOFT,
                               ALC_SHORT_SOFT,
                               ALC_FREQUENCY,
                               static_cast<ALCint>(LoopbackRate),
                               // The limiter's look-ahead would delay the mix.
                               ALC_OUTPUT_LIMITER_SOFT,
                               ALC_FALSE,
                               0};
  return alcCreateContext(device, attributes);
}
#else
// The browser's OpenAL (Web Audio) has no loopback: the tests' mixing runs elsewhere.
ALCdevice* OpenLoopbackDevice() { return nullptr; }
ALCcontext* CreateLoopbackContext(ALCdevice*, int) { return nullptr; }
#endif
}  // namespace

SoundOutput::~SoundOutput() {
  if (context) {
    if (alcGetCurrentContext() == context) alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
  }
  if (device) alcCloseDevice(device);
}

void SoundOutput::MakeCurrent() const {
  if (alcGetCurrentContext() != context) alcMakeContextCurrent(context);
}

std::shared_ptr<SoundOutput> OpenSoundOutput() {
  if (deviceChoice == SoundDeviceChoice::Unavailable) return nullptr;
  auto output = std::make_shared<SoundOutput>();
  if (deviceChoice == SoundDeviceChoice::Loopback) {
    output->device = OpenLoopbackDevice();
    output->loopbackChannels = loopbackChannelCount;
    if (output->device) output->context = CreateLoopbackContext(output->device, loopbackChannelCount);
  } else {
    output->device = alcOpenDevice(nullptr);
    if (output->device) output->context = alcCreateContext(output->device, nullptr);
  }
  if (!output->context) return nullptr;
  output->MakeCurrent();
  return output;
}

void ChooseSoundDeviceForTests(SoundDeviceChoice choice, int loopbackChannels) {
  deviceChoice = choice;
  loopbackChannelCount = loopbackChannels == 2 ? 2 : 1;
}

bool RenderLoopback(IDirectSound* sound, int16_t* samples, uint32_t frames) {
#ifndef ALC_SOFT_loopback
  (void)sound, (void)samples, (void)frames;
  return false;
#else
  if (!sound || sound->output_->loopbackChannels == 0) return false;
  auto render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
  if (!render) return false;
  render(sound->output_->device, samples, static_cast<ALCsizei>(frames));
  return true;
#endif
}
