#pragma once
// Floats to and from text with the rules of std::from_chars and
// std::to_chars, which the browser build's C++ library lacks for floating
// point: there the C library's conversions stand in, with the same results.
#include <charconv>

std::from_chars_result FloatFromChars(const char* first, const char* last, float& value,
                                      std::chars_format format = std::chars_format::general);
std::from_chars_result FloatFromChars(const char* first, const char* last, double& value,
                                      std::chars_format format = std::chars_format::general);
// The shortest text that reads back as the same float.
std::to_chars_result FloatToChars(char* first, char* last, float value);
// Fixed notation with `decimals` digits after the point.
std::to_chars_result FloatToChars(char* first, char* last, float value, int decimals);
