#pragma once
// Number conversions of the text format, independent of the process locale.
#include <cstdint>
#include <string>
#include <string_view>

// "%d": an optional '-' and the digits after it; the rest of the text is
// ignored. Out-of-range numbers are clamped. False when there is no digit.
bool ParseInt(std::string_view text, int32_t& value);

// "%f" on a text of digits, '-' and one '.': the longest number at the start.
// Out-of-range numbers are clamped to the largest float. False when there is
// no number.
bool ParseFloat(std::string_view text, float& value);

// "%2.3f": three decimals, as 0.850 or 37.000.
std::string FormatFloat(float value);
