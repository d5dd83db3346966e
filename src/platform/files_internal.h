#pragma once
// For the platform's file code only.
#include <string>

#include "platform/files.h"

// False when the test hook makes this step of WriteFileAtomically fail, as a
// full disk would.
bool WriteStepAllowed(int step);
// Keeps why a write failed, unless the test hook has already said.
void NoteWriteFailure(WriteFailure why);

// Writes `contents` to a temporary file beside `path`, flushes it to the disk
// and only then puts it in place of `path`: a crash or a full disk leaves the
// old file.
bool ReplaceFileOnDisk(const std::string& path, const std::string& contents);
