#pragma once
// The system's DirectSound in plain types, for the Windows sound backend
// (the game's dsound.h and the system's cannot meet in one file). Objects are
// the system's COM pointers as void*; flags and results are DirectSound's own.
#include <cstdint>

namespace system_dsound {

struct Format {
  uint16_t tag, channels;
  uint32_t samplesPerSecond, bytesPerSecond;
  uint16_t blockAlign, bitsPerSample;
};

int32_t Create(void** sound);
uint32_t Release(void* object);
int32_t SetCooperativeLevel(void* sound, void* window, uint32_t level);
// `format` null for the primary buffer.
int32_t CreateBuffer(void* sound, uint32_t flags, uint32_t bytes, const Format* format, void** buffer);

int32_t Lock(void* buffer, uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
             uint32_t* bytes2, uint32_t flags);
int32_t Unlock(void* buffer, void* part1, uint32_t bytes1, void* part2, uint32_t bytes2);
int32_t Play(void* buffer, uint32_t flags);
int32_t Stop(void* buffer);
int32_t SetCurrentPosition(void* buffer, uint32_t position);
int32_t GetCurrentPosition(void* buffer, uint32_t* play, uint32_t* write);
int32_t SetVolume(void* buffer, int32_t volume);
int32_t GetVolume(void* buffer, int32_t* volume);
int32_t GetStatus(void* buffer, uint32_t* status);
int32_t SetFormat(void* buffer, const Format* format);

}  // namespace system_dsound
