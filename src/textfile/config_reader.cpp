// Reading blocks of the text format, from a file or an open stream.
#include <algorithm>
#include <cstring>

#include "platform/files.h"
#include "textfile/config_node.h"
#include "textfile/number_text.h"

namespace {
// Longest tokens kept; longer ones are cut and the rest of them skipped.
constexpr size_t kNameLimit = 31;  // block names, keys, table names, cells
constexpr size_t kFileValueLimit = 31;
constexpr size_t kFileStringLimit = 31;
constexpr size_t kStreamValueLimit = 255;
constexpr size_t kStreamStringLimit = 63;
// More cells than any of our files holds; beyond it cells are read and dropped
// so that a table claiming absurd sizes cannot exhaust memory.
constexpr int64_t kMaxStoredCells = 65536;

bool IsWhite(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

void SkipWhite(FILE* stream) {
  int c;
  while ((c = std::getc(stream)) != EOF && IsWhite(c)) {
  }
  if (c != EOF) std::ungetc(c, stream);
}

// White space, then the character when it is next.
void SkipWhiteAnd(FILE* stream, char wanted) {
  SkipWhite(stream);
  int c = std::getc(stream);
  if (c != EOF && c != wanted) std::ungetc(c, stream);
}

struct Token {
  bool found = false;  // false at the end of the input
  std::string text;
  ValueType kind = ValueType::String;
};

// The type follows from every character of the token, including any part cut
// off. The text ends at a NUL byte, as it would as a C string.
Token ReadToken(FILE* stream, size_t limit) {
  Token token;
  SkipWhite(stream);
  int dots = 0;
  bool other = false;
  bool ended = false;
  int c;
  while ((c = std::getc(stream)) != EOF && !IsWhite(c)) {
    token.found = true;
    ended = ended || c == 0;
    if (!ended && token.text.size() < limit) token.text += static_cast<char>(c);
    if (c == '.')
      ++dots;
    else if (!IsDigit(c) && c != '-')
      other = true;
  }
  if (c != EOF) std::ungetc(c, stream);
  if (other || dots > 1)
    token.kind = ValueType::String;
  else
    token.kind = dots == 1 ? ValueType::Float : ValueType::Int;
  return token;
}

// A token typed as a number that holds none ("-", ".") becomes the empty
// String, which is also how Save writes an empty String.
void ConvertToken(const Token& token, size_t stringLimit, ConfigValue& value) {
  if (token.kind == ValueType::Int) {
    int32_t number;
    if (ParseInt(token.text, number)) return value.SetInt(number);
    return value.SetString("");
  }
  if (token.kind == ValueType::Float) {
    float number;
    if (ParseFloat(token.text, number)) return value.SetFloat(number);
    return value.SetString("");
  }
  value.SetString(token.text.substr(0, stringLimit).c_str());
}

// "%d" straight from the stream: an optional sign and digits; 0 when absent.
int32_t ReadCount(FILE* stream) {
  SkipWhite(stream);
  std::string digits;
  int c = std::getc(stream);
  if (c == '-' || c == '+') {
    if (c == '-') digits += '-';
    c = std::getc(stream);
  }
  while (c != EOF && IsDigit(c)) {
    if (digits.size() < 16) digits += static_cast<char>(c);
    c = std::getc(stream);
  }
  if (c != EOF) std::ungetc(c, stream);
  int32_t count = 0;
  ParseInt(digits, count);
  return count;
}

void CopyName(const std::string& text, char (&target)[32]) {
  std::memset(target, 0, sizeof target);
  std::memcpy(target, text.data(), std::min(text.size(), sizeof target - 1));
}
}  // namespace

void ConfigNode::ReadTable(FILE* stream) {
  Token tableName = ReadToken(stream, kNameLimit);
  if (!tableName.found) return;
  ConfigTable table;
  CopyName(tableName.text, table.name);
  table.rows = std::max(ReadCount(stream), 0);
  table.columns = std::max(ReadCount(stream), 0);
  SkipWhiteAnd(stream, '{');
  int64_t cellCount = int64_t{table.rows} * table.columns;
  for (int64_t index = 0; index < cellCount; ++index) {
    Token cell = ReadToken(stream, kNameLimit);
    if (!cell.found) break;
    if (index >= kMaxStoredCells) continue;
    size_t row = static_cast<size_t>(index / table.columns);
    if (row >= table.cells.size()) table.cells.emplace_back();
    ConvertToken(cell, kNameLimit, table.cells.back().emplace_back());
  }
  SkipWhiteAnd(stream, '}');
  tables.push_back(std::move(table));
}

// A block cut off by the end of the input ends there and keeps what was read.
bool ConfigNode::ReadBlock(FILE* stream, size_t valueLimit, size_t stringLimit) {
  Clear();
  name = ReadToken(stream, kNameLimit).text;
  SkipWhiteAnd(stream, '{');
  if (name.empty()) return false;
  for (;;) {
    Token key = ReadToken(stream, kNameLimit);
    if (!key.found) return true;
    if (!key.text.empty() && key.text[0] == '}') {
      SkipWhite(stream);
      return true;
    }
    if (key.text == "data") {
      ReadTable(stream);
      continue;
    }
    Token value = ReadToken(stream, valueLimit);
    if (!value.found) return true;
    ConfigEntry& entry = entries.emplace_back();
    CopyName(key.text, entry.key);
    ConvertToken(value, stringLimit, entry.value);
  }
}

bool ConfigNode::Load(const std::string& path) {
  FILE* file = OpenFile(path, "rt");
  if (!file) {
    Clear();
    name.clear();
    return false;
  }
  bool read = ReadBlock(file, kFileValueLimit, kFileStringLimit);
  std::fclose(file);
  return read;
}

bool ConfigNode::ReadNext(FILE* stream) {
  if (!stream) {
    Clear();
    name.clear();
    return false;
  }
  return ReadBlock(stream, kStreamValueLimit, kStreamStringLimit);
}
