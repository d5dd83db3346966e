#include "platform/d3d9/shader_bytecode.h"

#include <cstddef>

#include "platform/d3d9/shader_tokens.h"

namespace d3d9 {
namespace {

constexpr size_t kMaxTokens = 1 << 16;

// Shader model 1 instructions carry no length: parameters are the following
// tokens with bit 31 set, except the literal values of the def family.
size_t Model1ParameterCount(const DWORD* at, size_t available, DWORD opcode) {
  if (opcode == D3DSIO_DEF || opcode == D3DSIO_DEFI) return 5;
  if (opcode == D3DSIO_DEFB) return 2;
  size_t count = 0;
  while (count < available && (at[count] & D3DSP_PARAMETER_BIT)) ++count;
  return count;
}

}  // namespace

bool ParseShaderFunction(const DWORD* function, bool pixel, ParsedShader* parsed) {
  return ParseShaderFunction(function, kMaxTokens, pixel, parsed);
}

bool ParseShaderFunction(const DWORD* function, size_t tokenCount, bool pixel, ParsedShader* parsed) {
  if (!function || !parsed || tokenCount == 0) return false;
  const size_t limit = tokenCount < kMaxTokens ? tokenCount : kMaxTokens;
  DWORD version = function[0];
  if (pixel ? !IsPixelShaderVersion(version) : !IsVertexShaderVersion(version)) return false;
  bool lengthInToken = D3DSHADER_VERSION_MAJOR(version) >= 2;
  *parsed = ParsedShader{};
  parsed->version = version;
  size_t at = 1;
  while (at < limit) {
    DWORD token = function[at];
    if (IsEndToken(token)) {
      parsed->tokens.assign(function, function + at + 1);
      return true;
    }
    if (IsCommentToken(token)) {
      at += 1 + CommentTokenCount(token);
      continue;
    }
    if (token & D3DSP_PARAMETER_BIT) return false;  // a parameter where an instruction belongs
    ShaderInstruction instruction;
    instruction.opcode = InstructionOpcode(token);
    instruction.controls = InstructionControls(token);
    size_t count = lengthInToken ? InstructionLength(token)
                                 : Model1ParameterCount(function + at + 1, limit - at - 1, instruction.opcode);
    if (at + 1 + count >= limit) return false;
    instruction.params.assign(function + at + 1, function + at + 1 + count);
    parsed->instructions.push_back(std::move(instruction));
    at += 1 + count;
  }
  return false;
}

}  // namespace d3d9
