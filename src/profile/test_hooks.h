#pragma once
// The profiles' reset for tests: no slot read yet, slot 0 current.
void ResetProfilesForTests();
