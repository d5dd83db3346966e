#pragma once
// A player's name as the profile file holds it. The file splits values at
// white space, so a blank is written as '_' (as it always has been); a typed
// '_' or '\' is written with a '\' before it, and any other white space also
// as '_'. Names written before the escapes existed read back unchanged.
#include <cstddef>
#include <string>

// The longest string value that a profile file read gives back whole.
constexpr size_t StoredNameLimit = 31;

// A typed name shows on screen only when it holds something other than
// blanks and the '^' that text drawing hides.
bool HasVisibleLetter(const std::string& typed);

std::string NameToFile(const std::string& name);
std::string NameFromFile(const std::string& stored);
