#pragma once
// The Windows-1251 code page: which character each byte shows.
#include <cstdint>

// Unicode code point of a byte, or 0 for control codes and the one unassigned byte.
uint32_t Cp1251ToUnicode(uint8_t byte);
