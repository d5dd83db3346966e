#include "textfile/config_node.h"

#include <cstring>

int32_t ConfigValue::AsInt() const {
  int32_t value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

float ConfigValue::AsFloat() const {
  float value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

void ConfigValue::SetInt(int32_t value) {
  std::memset(data, 0, sizeof data);
  std::memcpy(data, &value, sizeof value);
  type = ValueType::Int;
}

void ConfigValue::SetFloat(float value) {
  std::memset(data, 0, sizeof data);
  std::memcpy(data, &value, sizeof value);
  type = ValueType::Float;
}

void ConfigValue::SetString(const char* text) {
  std::memset(data, 0, sizeof data);
  if (text) std::memcpy(data, text, strnlen(text, kSize - 1));
  type = ValueType::String;
}

const ConfigValue* ConfigTable::Cell(int32_t row, int32_t column) const {
  if (row < 0 || row >= rows || column < 0 || column >= columns) return nullptr;
  if (static_cast<size_t>(row) >= cells.size()) return nullptr;
  const std::vector<ConfigValue>& cellsOfRow = cells[row];
  if (static_cast<size_t>(column) >= cellsOfRow.size()) return nullptr;
  return &cellsOfRow[column];
}

namespace {
const ConfigValue kZeroValue;

bool SameKey(const char* stored, const char* key) {
  return stored[0] == key[0] && std::strcmp(stored, key) == 0;
}
}  // namespace

ConfigValue& ConfigNode::Get(const char* key) {
  if (key)
    for (ConfigEntry& entry : entries)
      if (SameKey(entry.key, key)) return entry.value;
  missing_ = ConfigValue{};
  return missing_;
}

ConfigValue& ConfigNode::GetOrAdd(const char* key) {
  ConfigValue& found = Get(key);
  if (&found != &missing_ || !key) return found;
  ConfigEntry& entry = entries.emplace_back();
  std::strncpy(entry.key, key, sizeof entry.key - 1);
  return entry.value;
}

const ConfigValue& ConfigNode::Get(const char* key) const {
  if (key)
    for (const ConfigEntry& entry : entries)
      if (SameKey(entry.key, key)) return entry.value;
  return kZeroValue;
}

const ConfigValue& ConfigNode::GetCell(const char* table, int32_t row, int32_t column) const {
  if (!table) return kZeroValue;
  for (const ConfigTable& candidate : tables) {
    if (!SameKey(candidate.name, table)) continue;
    const ConfigValue* cell = candidate.Cell(row, column);
    return cell ? *cell : kZeroValue;
  }
  return kZeroValue;
}

void ConfigNode::Clear() {
  entries.clear();
  tables.clear();
}
