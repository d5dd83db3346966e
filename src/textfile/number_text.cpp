#include "textfile/number_text.h"

#include <cfloat>
#include <charconv>
#include <cmath>

#include "platform/float_text.h"

bool ParseInt(std::string_view text, int32_t& value) {
  size_t at = 0;
  bool negative = at < text.size() && text[at] == '-';
  if (negative) ++at;
  if (at >= text.size() || text[at] < '0' || text[at] > '9') return false;
  int64_t magnitude = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > int64_t{INT32_MAX} + 1) magnitude = int64_t{INT32_MAX} + 1;
  }
  int64_t signedValue = negative ? -magnitude : magnitude;
  value = static_cast<int32_t>(signedValue > INT32_MAX ? INT32_MAX : signedValue);
  return true;
}

bool ParseFloat(std::string_view text, float& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  float parsed = 0.0f;
  auto result = FloatFromChars(first, last, parsed, std::chars_format::fixed);
  if (result.ec == std::errc::invalid_argument) return false;
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a float: take it as a double and clamp.
    double wide = 0.0;
    result = FloatFromChars(first, last, wide, std::chars_format::fixed);
    if (result.ec == std::errc::invalid_argument) return false;
    if (result.ec == std::errc::result_out_of_range) wide = text[0] == '-' ? -0.0 : 0.0;
    if (std::fabs(wide) > FLT_MAX) wide = wide < 0 ? -FLT_MAX : FLT_MAX;
    parsed = static_cast<float>(wide);
  }
  value = parsed;
  return true;
}

std::string FormatFloat(float value) {
  char buffer[128];
  auto result = FloatToChars(buffer, buffer + sizeof buffer, value, 3);
  std::string text(buffer, result.ptr);
  if (text.size() < 2) text.insert(0, 2 - text.size(), ' ');
  return text;
}
