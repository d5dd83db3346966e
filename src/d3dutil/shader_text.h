#pragma once
// Shader assembly text broken into lines and statements: comments removed,
// one instruction per line, the mnemonic split into name and modifiers, the
// operands split at commas.
#include <string>
#include <string_view>
#include <vector>

namespace shasm {

struct SourceLine {
  int number;        // 1-based
  std::string text;  // without comments, trimmed; may be empty
};

// Comments are "//" and ";" to the end of the line and "/* ... */" anywhere.
// Fails with the line of an unterminated block comment.
bool SplitSourceLines(std::string_view source, std::vector<SourceLine>* lines, int* errorLine);

struct Statement {
  std::string mnemonic;               // as written: "texld_pp", "dcl_texcoord1", "vs_2_0"
  std::string name;                   // lower case, before the first '_': "texld"
  std::vector<std::string> suffixes;  // lower case, the '_' parts: {"pp"}
  std::vector<std::string> operands;  // trimmed, as written
};

bool ParseStatement(std::string_view line, Statement* statement, std::string* error);

// Text of the input fit to quote in a message: at most 40 characters,
// unprintable bytes shown as '?'.
std::string Quote(std::string_view text);
std::string Lower(std::string_view text);

}  // namespace shasm
