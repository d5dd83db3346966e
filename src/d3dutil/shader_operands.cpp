#include "d3dutil/shader_operands.h"

#include <cctype>

#include "d3dutil/shader_text.h"
#include "platform/d3d9/shader_tokens.h"

namespace shasm {
namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsAlnum(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

struct Cursor {
  std::string_view text;
  size_t at = 0;

  bool Done() const { return at >= text.size(); }
  char Peek() const { return Done() ? '\0' : text[at]; }
  bool Take(char c) {
    if (Done() || text[at] != c) return false;
    ++at;
    return true;
  }
  void SkipSpaces() {
    while (!Done() && (text[at] == ' ' || text[at] == '\t')) ++at;
  }
  std::string_view TakeWhile(bool (*accept)(char)) {
    size_t start = at;
    while (!Done() && accept(text[at])) ++at;
    return text.substr(start, at - start);
  }
};

int ComponentIndex(char c) {
  switch (std::tolower(static_cast<unsigned char>(c))) {
    case 'x': case 'r': return 0;
    case 'y': case 'g': return 1;
    case 'z': case 'b': return 2;
    case 'w': case 'a': return 3;
    default: return -1;
  }
}

// Digits as a number; anything too long to be a register number counts as huge.
uint32_t NumberOf(std::string_view digits) {
  if (digits.size() > 6) return 0xFFFFFFFF;
  uint32_t value = 0;
  for (char c : digits) value = value * 10 + static_cast<uint32_t>(c - '0');
  return value;
}

std::string RangeText(const RegisterFile& file, std::string_view letters) {
  return " (" + std::string(letters) + "0 to " + std::string(letters) + std::to_string(file.count - 1) + ")";
}

bool CheckNumber(const ShaderVersion& version, const RegisterRef& reg, std::string_view letters,
                 std::string* error) {
  if (reg.number < reg.file->count) return true;
  *error = "register '" + Quote(reg.text) + "' does not exist in " + version.name +
           RangeText(*reg.file, letters);
  return false;
}

// Reads "r12", "oPos" or, before an index in brackets, "c". `bare` tells that
// a numbered register came without its number.
bool ParseRegister(const ShaderVersion& version, Cursor& cursor, RegisterRef* reg, bool* bare,
                   std::string* error) {
  size_t start = cursor.at;
  std::string_view letters = cursor.TakeWhile(IsLetter);
  std::string_view digits = cursor.TakeWhile(IsDigit);
  reg->text = std::string(cursor.text.substr(start, cursor.at - start));
  *bare = false;
  if (letters.empty()) {
    *error = "expected a register, found '" + Quote(cursor.text.substr(start)) + "'";
    return false;
  }
  reg->file = FindRegisterFile(version, Lower(letters));
  if (!reg->file || (reg->file->count == 0 && !digits.empty())) {
    *error = "register '" + Quote(reg->text) + "' does not exist in " + version.name;
    return false;
  }
  if (reg->file->count == 0) {
    reg->number = reg->file->fixedNumber;
    return true;
  }
  if (digits.empty()) {
    *bare = true;
    return true;
  }
  reg->number = NumberOf(digits);
  return CheckNumber(version, *reg, letters, error);
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// "a0.x" (any component from shader model 2 on) or "aL".
bool ParseAddressRegister(const ShaderVersion& version, std::string_view text, RelativeAddress* relative,
                          std::string* error) {
  Cursor cursor{text};
  RegisterRef reg;
  bool bare = false;
  if (!ParseRegister(version, cursor, &reg, &bare, error)) return false;
  relative->used = true;
  relative->type = reg.file->type;
  if (!version.pixel && reg.file->type == D3DSPR_LOOP && cursor.Done()) return true;
  int component = -1;
  if (!version.pixel && reg.file->type == D3DSPR_ADDR && !bare && cursor.Take('.') &&
      cursor.at + 1 == text.size())
    component = ComponentIndex(cursor.Peek());
  if (component == 0 || (component > 0 && version.bit != kVs11)) {
    relative->component = static_cast<uint32_t>(component);
    return true;
  }
  *error = "invalid relative address '" + Quote(text) + "' (" +
           (version.bit == kVs11 ? "a0.x" : "a0.x, a0.y, a0.z, a0.w or aL") + " expected)";
  return false;
}

// The inside of "[a0.x + 5]": one address register and at most one offset.
bool ParseRelativeIndex(const ShaderVersion& version, std::string_view inside, RelativeAddress* relative,
                        uint32_t* offset, std::string* error) {
  const std::string invalid = "invalid relative address '[" + Quote(inside) + "]'";
  bool haveOffset = false;
  size_t start = 0;
  while (start <= inside.size()) {
    size_t plus = inside.find('+', start);
    if (plus == std::string_view::npos) plus = inside.size();
    std::string_view part = TrimSpaces(inside.substr(start, plus - start));
    start = plus + 1;
    if (!part.empty() && IsDigit(part[0])) {
      bool digitsOnly = part.find_first_not_of("0123456789") == std::string_view::npos;
      if (haveOffset || !digitsOnly) {
        *error = invalid;
        return false;
      }
      *offset = NumberOf(part);
      haveOffset = true;
      continue;
    }
    if (part.empty() || relative->used) {
      *error = invalid;
      return false;
    }
    if (!ParseAddressRegister(version, part, relative, error)) return false;
  }
  if (relative->used) return true;
  *error = invalid + " names no address register";
  return false;
}

bool ParseIndex(const ShaderVersion& version, Cursor& cursor, SourceOperand* operand, bool bare,
                std::string* error) {
  const std::string letters = operand->reg.text.substr(0, operand->reg.text.find_first_of("0123456789"));
  if (cursor.Peek() != '[') {
    if (!bare) return true;
    *error = "register '" + Quote(operand->reg.text) + "' needs a number";
    return false;
  }
  if (!operand->reg.file->relative) {
    *error = "relative addressing is not available for '" + Quote(letters) + "' registers in " + version.name;
    return false;
  }
  size_t close = cursor.text.find(']', cursor.at);
  if (close == std::string_view::npos) {
    *error = "missing ']' in '" + Quote(cursor.text) + "'";
    return false;
  }
  std::string_view inside = cursor.text.substr(cursor.at + 1, close - cursor.at - 1);
  cursor.at = close + 1;
  uint32_t offset = 0;
  if (!ParseRelativeIndex(version, inside, &operand->relative, &offset, error)) return false;
  operand->reg.number = operand->reg.number > 0xFFFF || offset > 0xFFFF ? 0xFFFFFFFF : operand->reg.number + offset;
  operand->reg.text = letters + "[" + std::string(inside) + "]";
  return CheckNumber(version, operand->reg, letters, error);
}

struct SourceModifierName {
  const char* name;
  uint32_t modifier;
};

// Suffix modifiers of the 1.x pixel shaders and of later versions; none of
// the accepted versions takes them.
const SourceModifierName kSourceModifiers[] = {
    {"abs", D3DSPSM_ABS}, {"bias", D3DSPSM_BIAS}, {"bx2", D3DSPSM_SIGN}, {"x2", D3DSPSM_X2},
    {"dz", D3DSPSM_DZ},   {"db", D3DSPSM_DZ},     {"dw", D3DSPSM_DW},    {"da", D3DSPSM_DW},
};

bool ParseSourceModifier(const ShaderVersion& version, Cursor& cursor, std::string* error) {
  std::string name = Lower(cursor.TakeWhile(IsAlnum));
  for (const SourceModifierName& known : kSourceModifiers)
    if (name == known.name) {
      *error = "source modifier '_" + name + "' is not available in " + version.name;
      return false;
    }
  *error = "unknown source modifier '_" + Quote(name) + "'";
  return false;
}

bool ParseSwizzle(Cursor& cursor, SourceOperand* operand, std::string* error) {
  std::string_view letters = cursor.TakeWhile(IsLetter);
  uint32_t components[4];
  bool valid = !letters.empty() && letters.size() <= 4;
  for (size_t i = 0; valid && i < letters.size(); ++i) {
    int component = ComponentIndex(letters[i]);
    valid = component >= 0;
    components[i] = static_cast<uint32_t>(component);
  }
  if (!valid) {
    *error = "invalid swizzle '." + Quote(letters) + "'";
    return false;
  }
  for (size_t i = letters.size(); i < 4; ++i) components[i] = components[letters.size() - 1];
  operand->swizzle = components[0] | components[1] << 2 | components[2] << 4 | components[3] << 6;
  operand->swizzled = true;
  return true;
}

bool ParseWriteMask(Cursor& cursor, DestinationOperand* operand, std::string* error) {
  std::string_view letters = cursor.TakeWhile(IsLetter);
  uint32_t mask = 0;
  int previous = -1;
  bool valid = !letters.empty() && letters.size() <= 4;
  for (size_t i = 0; valid && i < letters.size(); ++i) {
    int component = ComponentIndex(letters[i]);
    valid = component > previous;  // in x, y, z, w order, each once
    previous = component;
    if (valid) mask |= 1u << component;
  }
  if (!valid) {
    *error = "invalid write mask '." + Quote(letters) + "'";
    return false;
  }
  operand->mask = mask;
  operand->masked = true;
  return true;
}

bool ExpectEnd(Cursor& cursor, std::string* error) {
  cursor.SkipSpaces();
  if (cursor.Done()) return true;
  *error = "unexpected '" + Quote(cursor.text.substr(cursor.at)) + "' in operand '" + Quote(cursor.text) + "'";
  return false;
}

}  // namespace

bool ParseSourceOperand(const ShaderVersion& version, std::string_view text, SourceOperand* operand,
                        std::string* error) {
  *operand = SourceOperand();
  Cursor cursor{text};
  if (cursor.Take('-')) operand->modifier = D3DSPSM_NEG;
  if (cursor.Peek() == '!') {
    *error = std::string("'!' is not available in ") + version.name;
    return false;
  }
  cursor.SkipSpaces();
  bool bare = false;
  if (!ParseRegister(version, cursor, &operand->reg, &bare, error)) return false;
  if (!ParseIndex(version, cursor, operand, bare, error)) return false;
  if (cursor.Take('_')) return ParseSourceModifier(version, cursor, error);
  if (cursor.Take('.') && !ParseSwizzle(cursor, operand, error)) return false;
  if (cursor.Take('_')) return ParseSourceModifier(version, cursor, error);
  return ExpectEnd(cursor, error);
}

bool ParseDestinationOperand(const ShaderVersion& version, std::string_view text,
                             DestinationOperand* operand, std::string* error) {
  *operand = DestinationOperand();
  Cursor cursor{text};
  bool bare = false;
  if (!ParseRegister(version, cursor, &operand->reg, &bare, error)) return false;
  if (cursor.Peek() == '[') {
    *error = "relative addressing is not available on a destination ('" + Quote(text) + "')";
    return false;
  }
  if (bare) {
    *error = "register '" + Quote(operand->reg.text) + "' needs a number";
    return false;
  }
  if (cursor.Take('.') && !ParseWriteMask(cursor, operand, error)) return false;
  return ExpectEnd(cursor, error);
}

std::string SwizzleText(uint32_t swizzle) {
  std::string text = ".";
  for (int i = 0; i < 4; ++i) text += "xyzw"[(swizzle >> (2 * i)) & 3];
  return text;
}

}  // namespace shasm
