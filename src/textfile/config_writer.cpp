// Writing the text format, and the debugging dump.
#include <cstring>

#include "platform/files.h"
#include "textfile/config_node.h"
#include "textfile/number_text.h"

namespace {
// A token as the readers will take it back: white space inside would split it,
// so it becomes '_', the format's usual stand-in for a blank. Nothing at all
// would make the reader take the next token instead, so an empty text is
// written as "-", which reads back as the empty String.
std::string AsToken(const char* text, size_t limit) {
  std::string token(text, strnlen(text, limit));
  if (token.empty()) return "-";
  for (char& c : token)
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') c = '_';
  return token;
}

std::string ValueText(const ConfigValue& value) {
  switch (value.type) {
    case ValueType::Float:
      return FormatFloat(value.AsFloat());
    case ValueType::String:
      return AsToken(value.AsString(), ConfigValue::kSize);
    default:
      return std::to_string(value.AsInt());
  }
}

std::string DumpText(const ConfigValue& value) {
  switch (value.type) {
    case ValueType::Float:
      return FormatFloat(value.AsFloat());
    case ValueType::String:
      return std::string(value.AsString(), strnlen(value.AsString(), ConfigValue::kSize));
    default:
      return std::to_string(value.AsInt());
  }
}

const char* DumpTypeWord(ValueType type) {
  switch (type) {
    case ValueType::Float:
      return "float ";
    case ValueType::String:
      return "str   ";
    default:
      return "int   ";
  }
}
}  // namespace

bool ConfigNode::Save(const std::string& path) const {
  std::string text = AsToken(name.c_str(), name.size()) + " {\n";
  for (const ConfigEntry& entry : entries)
    text += "  " + AsToken(entry.key, sizeof entry.key) + " " + ValueText(entry.value) + "\n";
  text += "}\n";
  return WriteFileAtomically(path, text);
}

void ConfigNode::Dump(FILE* out) const {
  std::string text = name + " {\n";
  for (const ConfigEntry& entry : entries)
    text += std::string(entry.key, strnlen(entry.key, sizeof entry.key)) + " " + DumpTypeWord(entry.value.type) +
            DumpText(entry.value) + "\n";
  for (const ConfigTable& table : tables) {
    text += "data " + std::string(table.name, strnlen(table.name, sizeof table.name)) + "\n";
    for (const std::vector<ConfigValue>& row : table.cells) {
      for (const ConfigValue& cell : row) text += DumpText(cell) + " ";
      text += "\n";
    }
  }
  text += "}\n";
  std::fwrite(text.data(), 1, text.size(), out);
}
