#include "d3dutil/shader_encoder.h"

#include <algorithm>
#include <cstring>

#include "platform/d3d9/shader_tokens.h"

namespace shasm {
namespace {

// Flow control limits of vs_2_0.
constexpr int kMaxLoopNesting = 1;
constexpr int kMaxStaticFlowCount = 16;

struct Operand {
  DestinationOperand destination;
  SourceOperand source;
};

std::string OperandName(const InstructionInfo& info, size_t index) {
  return "operand " + std::to_string(index + 1) + " of '" + info.name + "'";
}

std::string CountText(size_t count) {
  return std::to_string(count) + (count == 1 ? " operand" : " operands");
}

uint32_t RegisterBits(const RegisterRef& reg) {
  return D3DSP_PARAMETER_BIT | D3DSPR_REGISTER_TYPE_BITS(reg.file->type) | (reg.number & D3DSP_REGNUM_MASK);
}

bool IsOneOf(const std::string& word, std::initializer_list<const char*> words) {
  return std::any_of(words.begin(), words.end(), [&](const char* w) { return word == w; });
}

bool InsideLoop(const Encoder& encoder) {
  return std::any_of(encoder.blocks.begin(), encoder.blocks.end(),
                     [](const OpenBlock& block) { return block.kind == Block::kLoop; });
}

int LoopDepth(const Encoder& encoder) {
  return static_cast<int>(std::count_if(encoder.blocks.begin(), encoder.blocks.end(), [](const OpenBlock& block) {
    return block.kind == Block::kLoop || block.kind == Block::kRep;
  }));
}

bool ParseInstructionModifiers(const Encoder& encoder, const InstructionInfo& info, const Statement& statement,
                               uint32_t* modifiers, std::string* error) {
  const ShaderVersion& version = *encoder.version;
  *modifiers = 0;
  for (const std::string& suffix : statement.suffixes) {
    uint32_t bit = suffix == "sat" ? D3DSPDM_SATURATE : suffix == "pp" ? D3DSPDM_PARTIALPRECISION : 0;
    bool known = bit != 0 || IsOneOf(suffix, {"x2", "x4", "x8", "d2", "d4", "d8", "centroid"});
    if (IsOneOf(suffix, {"gt", "lt", "ge", "le", "eq", "ne"})) {
      *error = "'" + Quote(statement.mnemonic) + "' is not available in " + version.name;
      return false;
    }
    if (!known) {
      *error = "unknown instruction modifier '_" + Quote(suffix) + "'";
      return false;
    }
    if (bit == 0 || !version.pixel || info.operands[0] != kDestination) {
      *error = "instruction modifier '_" + suffix + "' is not available on '" + info.name + "' in " + version.name;
      return false;
    }
    if (*modifiers & bit) {
      *error = "instruction modifier '_" + suffix + "' given twice";
      return false;
    }
    *modifiers |= bit;
  }
  return true;
}

bool CheckDestination(const Encoder& encoder, const InstructionInfo& info, const DestinationOperand& operand,
                      std::string* error) {
  const ShaderVersion& version = *encoder.version;
  bool address = !version.pixel && operand.reg.file->type == D3DSPR_ADDR;
  if (info.opcode == D3DSIO_MOVA && !address) {
    *error = "'mova' writes only a0";
    return false;
  }
  if (address) {
    if (info.opcode == D3DSIO_MOVA) return true;
    bool vs11 = version.bit == kVs11;
    if (vs11 && info.opcode == D3DSIO_MOV && operand.mask == 1) return true;
    *error = vs11 && info.opcode == D3DSIO_MOV ? "a0 is written as a0.x in vs_1_1"
                                                : std::string("a0 can only be written by ") + (vs11 ? "mov" : "mova");
    return false;
  }
  if (info.texture && operand.reg.file->type != D3DSPR_TEMP) {
    *error = "the destination of '" + std::string(info.name) + "' must be r#";
    return false;
  }
  if (operand.reg.file->access & kWritable) return true;
  *error = "register '" + Quote(operand.reg.text) + "' cannot be written";
  return false;
}

bool PixelSwizzleAvailable(uint32_t swizzle) {
  // .xyzw, the four replicates, .yzxw, .zxyw and .wzyx.
  const uint32_t available[] = {0xE4, 0x00, 0x55, 0xAA, 0xFF, 0xC9, 0xD2, 0x1B};
  return std::find(std::begin(available), std::end(available), swizzle) != std::end(available);
}

bool CheckSource(const Encoder& encoder, const InstructionInfo& info, size_t index, const SourceOperand& operand,
                 std::string* error) {
  const ShaderVersion& version = *encoder.version;
  if (!(operand.reg.file->access & kReadable)) {
    *error = "register '" + Quote(operand.reg.text) + "' cannot be read by '" + info.name + "'";
    return false;
  }
  if (operand.relative.used && operand.relative.type == D3DSPR_LOOP && !InsideLoop(encoder)) {
    *error = "aL can only be used inside a loop";
    return false;
  }
  if (version.pixel && !PixelSwizzleAvailable(operand.swizzle)) {
    *error = "swizzle '" + SwizzleText(operand.swizzle) + "' is not available in " + version.name;
    return false;
  }
  if (info.matrixRows && index == 2 && (operand.swizzle != kIdentitySwizzle || operand.modifier != 0)) {
    *error = "the matrix operand of '" + std::string(info.name) + "' takes no swizzle or negation";
    return false;
  }
  return true;
}

bool IsTempOrTexture(const Encoder& encoder, const RegisterRef& reg) {
  return reg.file->type == D3DSPR_TEMP || (encoder.version->pixel && reg.file->type == D3DSPR_TEXTURE);
}

// Sampler, label, boolean, integer and loop counter operands: the register
// alone, no swizzle, modifier or index.
bool CheckPlainRegister(const InstructionInfo& info, size_t index, const SourceOperand& operand, uint32_t type,
                        const char* expected, std::string* error) {
  if (operand.reg.file->type == type && !operand.swizzled && operand.modifier == 0 && !operand.relative.used)
    return true;
  *error = OperandName(info, index) + " must be " + expected;
  return false;
}

bool ParseOperand(const Encoder& encoder, const InstructionInfo& info, size_t index, const std::string& text,
                  Operand* operand, std::string* error) {
  const ShaderVersion& version = *encoder.version;
  OperandKind kind = static_cast<OperandKind>(info.operands[index]);
  if (kind == kDestination || kind == kKillTarget) {
    if (!ParseDestinationOperand(version, text, &operand->destination, error)) return false;
    if (kind == kDestination) return CheckDestination(encoder, info, operand->destination, error);
    if (IsTempOrTexture(encoder, operand->destination.reg)) return true;
    *error = OperandName(info, index) + " must be r# or t#";
    return false;
  }
  const SourceOperand& source = operand->source;
  if (!ParseSourceOperand(version, text, &operand->source, error)) return false;
  switch (kind) {
    case kSource: return CheckSource(encoder, info, index, source, error);
    case kTexCoord:
      if (IsTempOrTexture(encoder, source.reg) && !source.swizzled && source.modifier == 0) return true;
      *error = OperandName(info, index) + " must be r# or t# without modifier or swizzle";
      return false;
    case kSampler: return CheckPlainRegister(info, index, source, D3DSPR_SAMPLER, "a sampler (s#)", error);
    case kLabel: return CheckPlainRegister(info, index, source, D3DSPR_LABEL, "a label (l#)", error);
    case kBool: return CheckPlainRegister(info, index, source, D3DSPR_CONSTBOOL, "a boolean constant (b#)", error);
    case kInt: return CheckPlainRegister(info, index, source, D3DSPR_CONSTINT, "an integer constant (i#)", error);
    case kLoopCounter: return CheckPlainRegister(info, index, source, D3DSPR_LOOP, "aL", error);
    default: break;
  }
  *error = "internal error: unknown operand kind";
  return false;
}

bool CheckInstructionRules(const InstructionInfo& info, const std::vector<Operand>& operands, std::string* error) {
  if (info.opcode == D3DSIO_SINCOS) {
    uint32_t mask = operands[0].destination.mask;
    if (mask < 1 || mask > 3) {
      *error = "'sincos' writes only .x, .y or .xy";
      return false;
    }
  }
  if (info.matrixRows) {
    const SourceOperand& matrix = operands[2].source;
    uint32_t count = matrix.reg.file->count;
    if (!matrix.relative.used && count > 0 && matrix.reg.number + info.matrixRows > count) {
      *error = "'" + std::string(info.name) + "' reads " + std::to_string(info.matrixRows) + " registers from '" +
               Quote(matrix.reg.text) + "', past the last one";
      return false;
    }
  }
  return true;
}

bool CountStaticFlow(Encoder& encoder, std::string* error) {
  if (++encoder.staticFlowCount <= kMaxStaticFlowCount) return true;
  *error = "more than " + std::to_string(kMaxStaticFlowCount) + " flow control instructions";
  return false;
}

bool OpenBlockOf(Encoder& encoder, Block kind, std::string* error) {
  if ((kind == Block::kLoop || kind == Block::kRep) && LoopDepth(encoder) >= kMaxLoopNesting) {
    *error = std::string("loops cannot be nested in ") + encoder.version->name;
    return false;
  }
  encoder.blocks.push_back({kind, encoder.line});
  return CountStaticFlow(encoder, error);
}

bool CloseBlock(Encoder& encoder, Block first, Block second, const char* closing, const char* opening,
                std::string* error) {
  if (encoder.blocks.empty() || (encoder.blocks.back().kind != first && encoder.blocks.back().kind != second)) {
    *error = std::string("'") + closing + "' without '" + opening + "'";
    return false;
  }
  encoder.blocks.pop_back();
  return true;
}

bool DefineLabel(Encoder& encoder, uint32_t label, std::string* error) {
  if (!encoder.blocks.empty()) {
    *error = "'label' inside an open block";
    return false;
  }
  if (encoder.labelsDefined & (1u << label)) {
    *error = "label l" + std::to_string(label) + " is defined twice";
    return false;
  }
  encoder.labelsDefined |= 1u << label;
  return true;
}

bool AddCall(Encoder& encoder, uint32_t label, std::string* error) {
  if (encoder.labelsDefined != 0) {
    *error = std::string("subroutines cannot call subroutines in ") + encoder.version->name;
    return false;
  }
  encoder.calls.emplace_back(label, encoder.line);
  return CountStaticFlow(encoder, error);
}

bool UpdateFlow(Encoder& encoder, const InstructionInfo& info, const std::vector<Operand>& operands,
                std::string* error) {
  switch (info.block) {
    case Block::kNone: return true;
    case Block::kIf:
    case Block::kLoop:
    case Block::kRep: return OpenBlockOf(encoder, info.block, error);
    case Block::kElse:
      if (encoder.blocks.empty() || encoder.blocks.back().kind != Block::kIf) {
        *error = "'else' without 'if'";
        return false;
      }
      encoder.blocks.back().kind = Block::kElse;
      return CountStaticFlow(encoder, error);
    case Block::kEndIf: return CloseBlock(encoder, Block::kIf, Block::kElse, "endif", "if", error);
    case Block::kEndLoop: return CloseBlock(encoder, Block::kLoop, Block::kLoop, "endloop", "loop", error);
    case Block::kEndRep: return CloseBlock(encoder, Block::kRep, Block::kRep, "endrep", "rep", error);
    case Block::kLabel: return DefineLabel(encoder, operands[0].source.reg.number, error);
    case Block::kCall: return AddCall(encoder, operands[0].source.reg.number, error);
  }
  return true;
}

bool CountSlots(Encoder& encoder, const InstructionInfo& info, std::string* error) {
  const ShaderVersion& version = *encoder.version;
  bool texture = info.texture && version.pixel;
  int& used = texture ? encoder.textureSlots : encoder.arithmeticSlots;
  int limit = texture ? version.textureSlots : version.arithmeticSlots;
  used += info.slots;
  if (used <= limit || encoder.slotsReported) return true;
  encoder.slotsReported = true;
  *error = "the program needs more than the " + std::to_string(limit) +
           (texture ? " texture" : version.pixel ? " arithmetic" : "") + " instruction slots of " + version.name;
  return false;
}

void AppendSourceTokens(const Encoder& encoder, const SourceOperand& operand, std::vector<uint32_t>* tokens) {
  uint32_t token = RegisterBits(operand.reg) | operand.swizzle << D3DSP_SWIZZLE_SHIFT | operand.modifier;
  if (operand.relative.used) token |= D3DSHADER_ADDRMODE_RELATIVE;
  tokens->push_back(token);
  // vs_1_1 implies a0.x; later versions name the address register in a token of its own.
  if (operand.relative.used && encoder.version->bit != kVs11) {
    uint32_t replicate = operand.relative.component * 0x55;
    tokens->push_back(D3DSP_PARAMETER_BIT | D3DSPR_REGISTER_TYPE_BITS(operand.relative.type) |
                      replicate << D3DSP_SWIZZLE_SHIFT);
  }
}

bool EncodeInstruction(Encoder& encoder, const InstructionInfo& info, const Statement& statement,
                       std::string* error) {
  uint32_t modifiers = 0;
  if (!ParseInstructionModifiers(encoder, info, statement, &modifiers, error)) return false;
  size_t expected = std::strlen(info.operands);
  if (statement.operands.size() != expected) {
    *error = "'" + std::string(info.name) + "' needs " + CountText(expected) + ", found " +
             std::to_string(statement.operands.size());
    return false;
  }
  std::vector<Operand> operands(expected);
  for (size_t i = 0; i < expected; ++i)
    if (!ParseOperand(encoder, info, i, statement.operands[i], &operands[i], error)) return false;
  if (!CheckInstructionRules(info, operands, error) || !UpdateFlow(encoder, info, operands, error) ||
      !CountSlots(encoder, info, error))
    return false;

  std::vector<uint32_t> parameters;
  for (size_t i = 0; i < expected; ++i) {
    char kind = info.operands[i];
    if (kind == kDestination || kind == kKillTarget)
      parameters.push_back(DestinationToken(operands[i].destination, modifiers));
    else
      AppendSourceTokens(encoder, operands[i].source, &parameters);
  }
  encoder.tokens.push_back(InstructionToken(encoder, info, parameters.size()));
  encoder.tokens.insert(encoder.tokens.end(), parameters.begin(), parameters.end());
  return true;
}

const char* OpeningName(Block kind) {
  switch (kind) {
    case Block::kLoop: return "loop";
    case Block::kRep: return "rep";
    default: return "if";
  }
}

}  // namespace

uint32_t InstructionToken(const Encoder& encoder, const InstructionInfo& info, size_t parameterCount) {
  uint32_t length = encoder.version->instructionLength ? static_cast<uint32_t>(std::min<size_t>(parameterCount, 15))
                                                       : 0;
  return info.opcode | info.controls | length << D3DSI_INSTLENGTH_SHIFT;
}

uint32_t DestinationToken(const DestinationOperand& operand, uint32_t modifiers) {
  return RegisterBits(operand.reg) | operand.mask << D3DSP_WRITEMASK_SHIFT | modifiers;
}

void BeginProgram(Encoder& encoder, const ShaderVersion& version) {
  encoder = Encoder();
  encoder.version = &version;
  encoder.tokens.push_back(version.token);
}

bool EncodeStatement(Encoder& encoder, const Statement& statement, std::string* error) {
  if (LooksLikeShaderVersion(statement.mnemonic)) {
    *error = "the shader version may only be given once, on the first line";
    return false;
  }
  const InstructionInfo* info = FindInstruction(statement.name);
  if (!info) {
    *error = "unknown opcode '" + Quote(statement.mnemonic) + "'";
    return false;
  }
  if (!(info->versions & encoder.version->bit)) {
    *error = "'" + std::string(info->name) + "' is not available in " + encoder.version->name;
    return false;
  }
  switch (info->form) {
    case Form::kPlain: return EncodeInstruction(encoder, *info, statement, error);
    case Form::kDcl: return EncodeDcl(encoder, *info, statement, error);
    default: return EncodeDefinition(encoder, *info, statement, error);
  }
}

std::vector<Diagnostic> FinishProgram(Encoder& encoder) {
  std::vector<Diagnostic> diagnostics;
  for (const OpenBlock& block : encoder.blocks)
    diagnostics.push_back({block.line, std::string("'") + OpeningName(block.kind) + "' is never closed"});
  for (const auto& [label, line] : encoder.calls)
    if (!(encoder.labelsDefined & (1u << label)))
      diagnostics.push_back({line, "label l" + std::to_string(label) + " is not defined"});
  encoder.tokens.push_back(D3DVS_END());
  return diagnostics;
}

}  // namespace shasm
