#pragma once
// Canonical WAV files: the 44-byte RIFF header (a 16-byte PCM format chunk
// directly followed by the data chunk), mono, 16 bits per sample.
#include <cstdint>
#include <string>
#include <vector>

std::string WavBytes(const std::vector<int16_t>& samples, uint32_t sampleRate);
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, uint32_t sampleRate);
