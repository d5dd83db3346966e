#pragma once
// For the platform's file code only.
#include <string>

// False when the test hook makes this step of WriteFileAtomically fail.
bool WriteStepAllowed(int step);

// Writes `contents` to a temporary file beside `path`, flushes it to the disk
// and only then puts it in place of `path`: a crash or a full disk leaves the
// old file.
bool ReplaceFileOnDisk(const std::string& path, const std::string& contents);
