// dcl, def, defi and defb: the instructions whose operands are not plain
// registers.
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

#include "d3dutil/shader_encoder.h"
#include "platform/d3d9/shader_tokens.h"
#include "platform/float_text.h"

namespace shasm {
namespace {

struct NamedValue {
  const char* name;
  uint32_t value;
};

const NamedValue kUsages[] = {
    {"position", D3DDECLUSAGE_POSITION},   {"blendweight", D3DDECLUSAGE_BLENDWEIGHT},
    {"blendindices", D3DDECLUSAGE_BLENDINDICES}, {"normal", D3DDECLUSAGE_NORMAL},
    {"psize", D3DDECLUSAGE_PSIZE},         {"texcoord", D3DDECLUSAGE_TEXCOORD},
    {"tangent", D3DDECLUSAGE_TANGENT},     {"binormal", D3DDECLUSAGE_BINORMAL},
    {"tessfactor", D3DDECLUSAGE_TESSFACTOR}, {"positiont", D3DDECLUSAGE_POSITIONT},
    {"color", D3DDECLUSAGE_COLOR},         {"fog", D3DDECLUSAGE_FOG},
    {"depth", D3DDECLUSAGE_DEPTH},         {"sample", D3DDECLUSAGE_SAMPLE},
};

const NamedValue kTextureTypes[] = {
    {"2d", D3DSTT_2D},
    {"cube", D3DSTT_CUBE},
    {"volume", D3DSTT_VOLUME},
};

template <size_t N>
const NamedValue* FindNamed(const NamedValue (&table)[N], std::string_view name) {
  for (const NamedValue& entry : table)
    if (name == entry.name) return &entry;
  return nullptr;
}

// "texcoord1" -> texcoord, 1. An index beyond 15 does not fit the token.
const NamedValue* ParseUsage(const std::string& suffix, uint32_t* index, bool* indexTooLarge) {
  size_t digits = suffix.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(suffix[digits - 1]))) --digits;
  std::string number = suffix.substr(digits);
  *index = 0;
  *indexTooLarge = number.size() > 2;
  for (char c : number) *index = *index * 10 + static_cast<uint32_t>(c - '0');
  *indexTooLarge = *indexTooLarge || *index > 15;
  return FindNamed(kUsages, std::string_view(suffix).substr(0, digits));
}

bool VertexDcl(const ShaderVersion& version, const Statement& statement, const DestinationOperand& operand,
               uint32_t* usageToken, std::string* error) {
  if (operand.reg.file->type != D3DSPR_INPUT) {
    *error = std::string("'dcl' declares input registers (v#) in ") + version.name;
    return false;
  }
  if (statement.suffixes.size() != 1) {
    *error = statement.suffixes.empty() ? "'dcl' needs a usage, such as dcl_position"
                                        : "unexpected '_" + Quote(statement.suffixes[1]) + "' in '" +
                                              Quote(statement.mnemonic) + "'";
    return false;
  }
  uint32_t index = 0;
  bool indexTooLarge = false;
  const NamedValue* usage = ParseUsage(statement.suffixes[0], &index, &indexTooLarge);
  if (!usage || indexTooLarge) {
    *error = (usage ? "usage index out of range in '" : "unknown usage in '") + Quote(statement.mnemonic) + "'";
    return false;
  }
  *usageToken |= usage->value << D3DSP_DCL_USAGE_SHIFT | index << D3DSP_DCL_USAGEINDEX_SHIFT;
  return true;
}

bool SamplerDcl(const Statement& statement, const DestinationOperand& operand, uint32_t* usageToken,
                std::string* error) {
  const NamedValue* type = statement.suffixes.size() == 1 ? FindNamed(kTextureTypes, statement.suffixes[0]) : nullptr;
  if (!type) {
    *error = "a sampler is declared with dcl_2d, dcl_cube or dcl_volume";
    return false;
  }
  if (operand.masked) {
    *error = "a sampler declaration takes no write mask";
    return false;
  }
  *usageToken |= type->value;
  return true;
}

bool PixelDcl(const ShaderVersion& version, const Statement& statement, const DestinationOperand& operand,
              uint32_t* usageToken, uint32_t* modifiers, std::string* error) {
  uint32_t type = operand.reg.file->type;
  if (type == D3DSPR_SAMPLER) return SamplerDcl(statement, operand, usageToken, error);
  if (type != D3DSPR_TEXTURE && type != D3DSPR_INPUT) {
    *error = std::string("'dcl' declares t#, v# or s# registers in ") + version.name;
    return false;
  }
  for (const std::string& suffix : statement.suffixes) {
    uint32_t bit = suffix == "pp" ? D3DSPDM_PARTIALPRECISION : suffix == "centroid" ? D3DSPDM_MSAMPCENTROID : 0;
    if (bit == 0 || (*modifiers & bit)) {
      *error = "unexpected '_" + Quote(suffix) + "' in '" + Quote(statement.mnemonic) + "' for a " +
               (type == D3DSPR_TEXTURE ? "t#" : "v#") + " register";
      return false;
    }
    *modifiers |= bit;
  }
  return true;
}

bool ParseFloat(std::string_view text, float* value) {
  if (text.size() > 1 && (text.back() == 'f' || text.back() == 'F')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  auto [end, status] = FloatFromChars(text.data(), text.data() + text.size(), *value);
  return status == std::errc() && end == text.data() + text.size() && std::isfinite(*value);
}

bool ParseInteger(std::string_view text, int32_t* value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return status == std::errc() && end == text.data() + text.size();
}

bool ParseBool(const std::string& text, uint32_t* value) {
  std::string lower = Lower(text);
  *value = lower == "true" ? 1 : 0;
  return lower == "true" || lower == "false";
}

bool ParseValue(Form form, const std::string& text, uint32_t* word) {
  if (form == Form::kDefB) return ParseBool(text, word);
  if (form == Form::kDefI) {
    int32_t value = 0;
    if (!ParseInteger(text, &value)) return false;
    *word = static_cast<uint32_t>(value);
    return true;
  }
  float value = 0;
  if (!ParseFloat(text, &value)) return false;
  std::memcpy(word, &value, sizeof value);
  return true;
}

struct DefinitionKind {
  uint32_t registerType;
  size_t values;
  const char* registerName;
  const char* valueName;
};

DefinitionKind KindOf(Form form) {
  switch (form) {
    case Form::kDefI: return {D3DSPR_CONSTINT, 4, "i#", "an integer"};
    case Form::kDefB: return {D3DSPR_CONSTBOOL, 1, "b#", "true or false"};
    default: return {D3DSPR_CONST, 4, "c#", "a number"};
  }
}

}  // namespace

bool EncodeDcl(Encoder& encoder, const InstructionInfo& info, const Statement& statement, std::string* error) {
  const ShaderVersion& version = *encoder.version;
  if (statement.operands.size() != 1) {
    *error = "'dcl' needs 1 operand, found " + std::to_string(statement.operands.size());
    return false;
  }
  DestinationOperand operand;
  if (!ParseDestinationOperand(version, statement.operands[0], &operand, error)) return false;
  uint32_t usageToken = D3DSP_PARAMETER_BIT;
  uint32_t modifiers = 0;
  bool valid = version.pixel ? PixelDcl(version, statement, operand, &usageToken, &modifiers, error)
                             : VertexDcl(version, statement, operand, &usageToken, error);
  if (!valid) return false;
  encoder.tokens.push_back(InstructionToken(encoder, info, 2));
  encoder.tokens.push_back(usageToken);
  encoder.tokens.push_back(DestinationToken(operand, modifiers));
  return true;
}

bool EncodeDefinition(Encoder& encoder, const InstructionInfo& info, const Statement& statement,
                      std::string* error) {
  DefinitionKind kind = KindOf(info.form);
  if (!statement.suffixes.empty()) {
    *error = "'" + std::string(info.name) + "' takes no modifiers";
    return false;
  }
  if (statement.operands.size() != kind.values + 1) {
    *error = "'" + std::string(info.name) + "' needs " + std::to_string(kind.values + 1) + " operands, found " +
             std::to_string(statement.operands.size());
    return false;
  }
  DestinationOperand operand;
  if (!ParseDestinationOperand(*encoder.version, statement.operands[0], &operand, error)) return false;
  if (operand.reg.file->type != kind.registerType || operand.mask != 0xF) {
    *error = "operand 1 of '" + std::string(info.name) + "' must be a " + kind.registerName + " register without mask";
    return false;
  }
  std::vector<uint32_t> parameters{DestinationToken(operand, 0)};
  for (size_t i = 1; i <= kind.values; ++i) {
    uint32_t word = 0;
    if (!ParseValue(info.form, statement.operands[i], &word)) {
      *error = "operand " + std::to_string(i + 1) + " of '" + info.name + "' must be " + kind.valueName + ", found '" +
               Quote(statement.operands[i]) + "'";
      return false;
    }
    parameters.push_back(word);
  }
  encoder.tokens.push_back(InstructionToken(encoder, info, parameters.size()));
  encoder.tokens.insert(encoder.tokens.end(), parameters.begin(), parameters.end());
  return true;
}

}  // namespace shasm
