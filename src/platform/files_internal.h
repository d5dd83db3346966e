#pragma once
// For the platform's file code only.

// False when the test hook makes this step of WriteFileAtomically fail.
bool WriteStepAllowed(int step);
