#include "platform/code_page.h"

namespace {

// Bytes 0x80 .. 0xBF; 0xC0 .. 0xFF are the Cyrillic alphabet in order.
constexpr uint16_t kUpperPart[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

// Decodes one UTF-8 sequence at `p` and moves past it; a cut-off sequence
// yields what it holds.
uint32_t NextCodePoint(const unsigned char*& p) {
  uint32_t code = *p++;
  int extra = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
  code &= extra == 3 ? 0x07 : extra == 2 ? 0x0F : extra == 1 ? 0x1F : 0x7F;
  for (int i = 0; i < extra && (*p & 0xC0) == 0x80; ++i, ++p) code = (code << 6) | (*p & 0x3F);
  return code;
}

}  // namespace

uint32_t Cp1251ToUnicode(uint8_t byte) {
  if (byte < 0x20 || byte == 0x7F) return 0;
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return kUpperPart[byte - 0x80];
}

uint8_t UnicodeToCp1251(uint32_t code) {
  if (code == 0) return 0;
  for (int byte = 0x20; byte <= 0xFF; ++byte)
    if (Cp1251ToUnicode(static_cast<uint8_t>(byte)) == code) return static_cast<uint8_t>(byte);
  return 0;
}

std::string Utf8ToCp1251(const char* text) {
  std::string bytes;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p)
    if (uint8_t byte = UnicodeToCp1251(NextCodePoint(p))) bytes += static_cast<char>(byte);
  return bytes;
}
