#include "sound/sound_effect.h"

#include <cstdio>

#include "platform/files.h"

namespace {
uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t Read32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

// The fields sit at fixed offsets; no other chunk layout is recognised.
WAVEFORMATEX FormatFromHeader(const uint8_t* header) {
  WAVEFORMATEX format{};
  format.wFormatTag = Read16(header + 20);
  format.nChannels = Read16(header + 22);
  format.nSamplesPerSec = Read32(header + 24);
  format.nAvgBytesPerSec = Read32(header + 28);
  format.nBlockAlign = Read16(header + 32);
  format.wBitsPerSample = Read16(header + 34);
  format.cbSize = 0;
  return format;
}

uint32_t DataSizeFromHeader(const uint8_t* header) { return Read32(header + 40); }

long BytesAfterHeader(FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  long size = std::ftell(file);
  return size < static_cast<long>(WaveHeaderSize) ? -1 : size - static_cast<long>(WaveHeaderSize);
}

bool ReadPart(FILE* file, void* part, uint32_t bytes) {
  return part == nullptr || bytes == 0 || std::fread(part, 1, bytes, file) == bytes;
}

bool FillBuffer(IDirectSoundBuffer* buffer, FILE* file, uint32_t dataBytes) {
  if (std::fseek(file, static_cast<long>(WaveHeaderSize), SEEK_SET) != 0) return false;
  void* part1 = nullptr;
  void* part2 = nullptr;
  uint32_t bytes1 = 0, bytes2 = 0;
  if (FAILED(buffer->Lock(0, dataBytes, &part1, &bytes1, &part2, &bytes2, DSBLOCK_ENTIREBUFFER))) return false;
  bool read = ReadPart(file, part1, bytes1) && ReadPart(file, part2, bytes2);
  return SUCCEEDED(buffer->Unlock(part1, bytes1, part2, bytes2)) && read;
}

bool ReadEffect(const SoundSystem& system, FILE* file, SoundEffect& effect) {
  if (std::fread(effect.header, 1, WaveHeaderSize, file) != WaveHeaderSize) return false;
  WAVEFORMATEX format = FormatFromHeader(effect.header);
  const uint32_t dataBytes = DataSizeFromHeader(effect.header);
  // Checked before the buffer is made: a damaged header must not size it.
  const long available = BytesAfterHeader(file);
  if (dataBytes > MaxEffectBytes || available < 0 || dataBytes > static_cast<unsigned long>(available)) return false;

  DSBUFFERDESC desc{};
  desc.dwSize = DSBUFFERDESC_SIZE32;
  desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_LOCSOFTWARE | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
  desc.dwBufferBytes = dataBytes;
  desc.lpwfxFormat = &format;
  if (FAILED(system.device->CreateSoundBuffer(&desc, &effect.buffer, nullptr))) {
    effect.buffer = nullptr;
    return false;
  }
  if (dataBytes > 0 && !FillBuffer(effect.buffer, file, dataBytes)) {
    ReleaseEffect(effect);
    return false;
  }
  return true;
}
}  // namespace

SoundEffect LoadEffect(const SoundSystem& system, const std::string& path) {
  SoundEffect effect;
  if (!system.ready) return effect;
  FILE* file = OpenFile(path, "rb");
  if (!file) return effect;
  if (ReadEffect(system, file, effect)) effect.loaded = 1;
  std::fclose(file);
  return effect;
}

void PlayEffect(SoundEffect& effect) {
  if (effect.loaded && SUCCEEDED(effect.buffer->Stop())) effect.buffer->SetCurrentPosition(0);
  if (effect.loaded) {
    effect.looping = 0;
    effect.buffer->Play(0, 0, effect.looping ? DSBPLAY_LOOPING : 0);
  }
}

void PlayEffectNoRestart(SoundEffect& effect) {
  if (!effect.loaded) return;
  effect.looping = 0;
  effect.buffer->Play(0, 0, effect.looping ? DSBPLAY_LOOPING : 0);
}

void ReleaseEffect(SoundEffect& effect) {
  if (effect.buffer) effect.buffer->Release();
  effect.buffer = nullptr;
  effect.loaded = 0;
}
