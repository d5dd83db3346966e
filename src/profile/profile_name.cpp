#include "profile/profile_name.h"

namespace {
constexpr char kBlank = '_';
constexpr char kEscape = '\\';
constexpr char kNoBreakSpace = '\xA0';
constexpr char kMarkNotDrawn = '^';

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
}  // namespace

bool HasVisibleLetter(const std::string& typed) {
  for (char c : typed)
    if (!IsWhite(c) && c != kNoBreakSpace && c != kMarkNotDrawn) return true;
  return false;
}

std::string NameToFile(const std::string& name) {
  std::string stored;
  for (char c : name) {
    if (IsWhite(c)) {
      stored += kBlank;
      continue;
    }
    if (c == kBlank || c == kEscape) stored += kEscape;
    stored += c;
  }
  return stored;
}

std::string NameFromFile(const std::string& stored) {
  std::string name;
  for (size_t i = 0; i < stored.size(); ++i) {
    char c = stored[i];
    if (c == kEscape && i + 1 < stored.size()) {
      name += stored[++i];
      continue;
    }
    name += c == kBlank ? ' ' : c;
  }
  return name;
}
