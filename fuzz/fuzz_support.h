#pragma once
// Shared by the fuzz targets: a scratch folder as the working directory (the
// game reads every file relative to it), files written from the fuzzer's
// bytes, a hand-driven clock and a recording device.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/d3d9/recording/recording_device.h"
#include "platform/test_hooks.h"

namespace fuzz {

// A fresh folder (in memory when /dev/shm exists) with the game's
// sub-folders becomes the working directory; it is removed when the process
// ends. Standard output (the layout trace) goes nowhere. The clocks run on
// TestClock.
void EnterScratchFolder();

// `path` relative to the scratch folder, with slashes.
void WriteBytes(const std::string& path, const uint8_t* data, size_t size);
void RemoveFile(const std::string& path);

// The recording device as the global Device on the shader path, with the
// unit quad bound as the interface pass does. Created on first use.
d3d9::RecordingDevice* UseRecordingDevice();

// A stream that discards what is written to it.
FILE* NullStream();

}  // namespace fuzz
