#pragma once
// The structured text format of settings, layouts, fonts, particles and
// profiles: named blocks of typed key/value entries and tables of typed cells.
// A value's type is decided by how it is spelled in the file.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum class ValueType : int32_t { None = 0, Int = 1, Float = 2, String = 3 };

// One value area shared by the three types: no conversion is ever made, so
// reading a Float as an int yields the bits of the float.
struct ConfigValue {
  static constexpr int kSize = 64;

  ValueType type = ValueType::None;
  alignas(4) char data[kSize] = {};

  int32_t AsInt() const;
  float AsFloat() const;
  const char* AsString() const { return data; }
  // Writable text, kSize bytes; callers edit names in place before saving.
  char* AsString() { return data; }

  // Each setter also sets the type, so Save writes the value as it now is.
  void SetInt(int32_t value);
  void SetFloat(float value);
  void SetString(const char* text);  // cut to kSize - 1 characters
};

struct ConfigEntry {
  char key[32] = {};
  ConfigValue value;
};

struct ConfigTable {
  int32_t columns = 0;
  int32_t rows = 0;
  char name[32] = {};
  // The rows read so far, each with the cells read so far: a table that the
  // input cut short, or one too large to keep, holds fewer cells than rows x
  // columns, and the missing ones read as zero. Negative counts read as 0.
  std::vector<std::vector<ConfigValue>> cells;

  // Null when the cell is outside the table or was not read.
  const ConfigValue* Cell(int32_t row, int32_t column) const;
};

class ConfigNode {
 public:
  std::string name;
  std::vector<ConfigEntry> entries;
  std::vector<ConfigTable> tables;

  // Reads the first block of the file. A file that cannot be opened
  // yields false, as does one without a block name.
  bool Load(const std::string& path);
  // Reads the next block of an open stream and leaves the stream after the
  // block's closing brace and the white space behind it. False at the end of
  // the input or without a stream.
  bool ReadNext(FILE* stream);
  // Writes the name and the entries (not the tables). The old file is only
  // replaced once the new text is completely written; a write-protected file
  // is left alone. False when nothing was written.
  bool Save(const std::string& path) const;
  // Debugging aid: the name, typed entries and tables; not valid input.
  void Dump(FILE* out = stdout) const;

  // The first entry with exactly this key, or a zero value (0, 0.0, "") when
  // there is none. Writing to the zero value changes no entry and no later
  // lookup.
  ConfigValue& Get(const char* key);
  const ConfigValue& Get(const char* key) const;
  ConfigValue& Get(const std::string& key) { return Get(key.c_str()); }
  // The first entry with this key, added at the end (typeless, zero) when
  // there is none. Keys are cut to 31 characters.
  ConfigValue& GetOrAdd(const char* key);
  ConfigValue& GetOrAdd(const std::string& key) { return GetOrAdd(key.c_str()); }
  const ConfigValue& Get(const std::string& key) const { return Get(key.c_str()); }

  // The cell of the first table with this name, or a zero value when the
  // table is missing or the row or column lies outside it.
  const ConfigValue& GetCell(const char* table, int32_t row, int32_t column) const;

  size_t EntryCount() const { return entries.size(); }
  size_t TableCount() const { return tables.size(); }
  // Removes entries and tables; the name stays.
  void Clear();

 private:
  bool ReadBlock(FILE* stream, size_t valueLimit, size_t stringLimit);
  void ReadTable(FILE* stream);

  // Handed out for missing keys and reset on every miss, so a caller writing
  // to it never changes what a later failed lookup yields.
  ConfigValue missing_;
};
