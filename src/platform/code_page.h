#pragma once
// Windows-1251, the one code page of text: the font sheets draw its bytes,
// typed text arrives in it, and names are stored in it.
#include <cstdint>
#include <string>

// The Unicode character a byte shows, or 0 for control codes and the one
// unassigned byte.
uint32_t Cp1251ToUnicode(uint8_t byte);
// The byte that shows a Unicode character, or 0 when the code page lacks it.
uint8_t UnicodeToCp1251(uint32_t code);
// UTF-8 text as code-page bytes; characters the code page lacks, and control
// codes, are left out.
std::string Utf8ToCp1251(const char* text);
