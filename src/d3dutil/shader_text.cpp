#include "d3dutil/shader_text.h"

#include <cctype>

namespace shasm {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

bool IsMnemonicChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Removes comments from one line; `inBlock` carries an open "/*" across lines.
std::string StripComments(std::string_view line, bool* inBlock) {
  std::string kept;
  for (size_t i = 0; i < line.size(); ++i) {
    if (*inBlock) {
      if (line[i] == '*' && i + 1 < line.size() && line[i + 1] == '/') {
        *inBlock = false;
        ++i;
        kept += ' ';
      }
      continue;
    }
    if (line[i] == ';' || (line[i] == '/' && i + 1 < line.size() && line[i + 1] == '/')) break;
    if (line[i] == '/' && i + 1 < line.size() && line[i + 1] == '*') {
      *inBlock = true;
      ++i;
      continue;
    }
    kept += line[i];
  }
  return kept;
}

std::vector<std::string> SplitSuffixes(const std::string& lowerMnemonic, std::string* name) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    size_t underscore = lowerMnemonic.find('_', start);
    parts.push_back(lowerMnemonic.substr(start, underscore - start));
    if (underscore == std::string::npos) break;
    start = underscore + 1;
  }
  *name = parts.front();
  parts.erase(parts.begin());
  return parts;
}

bool SplitOperands(std::string_view rest, std::vector<std::string>* operands, std::string* error) {
  rest = Trim(rest);
  if (rest.empty()) return true;
  size_t start = 0;
  while (true) {
    size_t comma = rest.find(',', start);
    std::string_view operand = Trim(rest.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (operand.empty()) {
      *error = "missing operand " + std::to_string(operands->size() + 1);
      return false;
    }
    operands->emplace_back(operand);
    if (comma == std::string_view::npos) return true;
    start = comma + 1;
  }
}

}  // namespace

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string Quote(std::string_view text) {
  const size_t kLongest = 40;
  std::string quoted;
  for (size_t i = 0; i < text.size() && i < kLongest; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    quoted += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
  }
  if (text.size() > kLongest) quoted += "...";
  return quoted;
}

bool SplitSourceLines(std::string_view source, std::vector<SourceLine>* lines, int* errorLine) {
  lines->clear();
  bool inBlock = false;
  int blockStart = 0;
  int number = 0;
  size_t start = 0;
  while (start <= source.size()) {
    size_t end = source.find('\n', start);
    if (end == std::string_view::npos) end = source.size();
    ++number;
    bool wasInBlock = inBlock;
    std::string text = StripComments(source.substr(start, end - start), &inBlock);
    if (inBlock && !wasInBlock) blockStart = number;
    lines->push_back({number, std::string(Trim(text))});
    start = end + 1;
  }
  if (inBlock) {
    *errorLine = blockStart;
    return false;
  }
  return true;
}

bool ParseStatement(std::string_view line, Statement* statement, std::string* error) {
  *statement = Statement();
  line = Trim(line);
  size_t end = 0;
  while (end < line.size() && IsMnemonicChar(line[end])) ++end;
  if (end == 0) {
    *error = "unexpected '" + Quote(line.substr(0, 1)) + "'";
    return false;
  }
  if (end < line.size() && !IsSpace(line[end])) {
    *error = "unexpected '" + Quote(line.substr(end, 1)) + "' after '" + Quote(line.substr(0, end)) + "'";
    return false;
  }
  statement->mnemonic = std::string(line.substr(0, end));
  statement->suffixes = SplitSuffixes(Lower(statement->mnemonic), &statement->name);
  return SplitOperands(line.substr(end), &statement->operands, error);
}

}  // namespace shasm
