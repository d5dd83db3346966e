#include "platform/float_text.h"

#ifdef __EMSCRIPTEN__
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
// The length of a fixed-notation number at the start of the text (an
// optional '-', digits, an optional point and digits); 0 when none is.
size_t FixedLength(const char* first, const char* last) {
  const char* at = first;
  if (at < last && *at == '-') ++at;
  const char* digits = at;
  while (at < last && *at >= '0' && *at <= '9') ++at;
  bool anyDigit = at > digits;
  if (at < last && *at == '.') {
    const char* fraction = ++at;
    while (at < last && *at >= '0' && *at <= '9') ++at;
    anyDigit = anyDigit || at > fraction;
  }
  return anyDigit ? size_t(at - first) : 0;
}

template <class Number>
std::from_chars_result FromChars(const char* first, const char* last, Number& value, std::chars_format format) {
  // strtod also takes leading blanks, '+' and hexadecimal, from_chars does not.
  const char* sign = first < last && *first == '-' ? first + 1 : first;
  if (sign == last || !(std::isdigit(static_cast<unsigned char>(*sign)) || *sign == '.' || *sign == 'i' ||
                        *sign == 'I' || *sign == 'n' || *sign == 'N'))
    return {first, std::errc::invalid_argument};
  size_t length = format == std::chars_format::fixed ? FixedLength(first, last) : size_t(last - first);
  if (sign + 1 < last && sign[0] == '0' && (sign[1] == 'x' || sign[1] == 'X')) length = size_t(sign + 1 - first);
  std::string text(first, length);
  char* end = nullptr;
  errno = 0;
  Number parsed = sizeof(Number) == sizeof(float) ? std::strtof(text.c_str(), &end) : std::strtod(text.c_str(), &end);
  if (end == text.c_str()) return {first, std::errc::invalid_argument};
  const char* stop = first + (end - text.c_str());
  if (errno == ERANGE) return {stop, std::errc::result_out_of_range};
  value = parsed;
  return {stop, std::errc{}};
}

std::to_chars_result Written(char* first, char* last, int length) {
  if (length < 0 || length >= last - first) return {last, std::errc::value_too_large};
  return {first + length, std::errc{}};
}
}  // namespace

std::from_chars_result FloatFromChars(const char* first, const char* last, float& value, std::chars_format format) {
  return FromChars(first, last, value, format);
}

std::from_chars_result FloatFromChars(const char* first, const char* last, double& value, std::chars_format format) {
  return FromChars(first, last, value, format);
}

std::to_chars_result FloatToChars(char* first, char* last, float value) {
  char text[32];
  for (int digits = 1; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, double(value));
    if (std::strtof(text, nullptr) == value || std::isnan(value)) break;
  }
  size_t length = std::strlen(text);
  if (length > size_t(last - first)) return {last, std::errc::value_too_large};
  std::memcpy(first, text, length);
  return {first + length, std::errc{}};
}

std::to_chars_result FloatToChars(char* first, char* last, float value, int decimals) {
  return Written(first, last, std::snprintf(first, size_t(last - first), "%.*f", decimals, double(value)));
}

#else

std::from_chars_result FloatFromChars(const char* first, const char* last, float& value, std::chars_format format) {
  return std::from_chars(first, last, value, format);
}

std::from_chars_result FloatFromChars(const char* first, const char* last, double& value, std::chars_format format) {
  return std::from_chars(first, last, value, format);
}

std::to_chars_result FloatToChars(char* first, char* last, float value) { return std::to_chars(first, last, value); }

std::to_chars_result FloatToChars(char* first, char* last, float value, int decimals) {
  return std::to_chars(first, last, value, std::chars_format::fixed, decimals);
}

#endif
