#pragma once
// Turning parsed statements into Direct3D 9 shader tokens, with the checks
// that depend on the shader version and on the rest of the program.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "d3dutil/shader_model.h"
#include "d3dutil/shader_opcodes.h"
#include "d3dutil/shader_operands.h"
#include "d3dutil/shader_text.h"

namespace shasm {

struct Diagnostic {
  int line;
  std::string message;
};

struct OpenBlock {
  Block kind;
  int line;
};

// What the assembly of one program has gathered so far.
struct Encoder {
  const ShaderVersion* version = nullptr;
  int line = 0;
  std::vector<uint32_t> tokens;
  std::vector<OpenBlock> blocks;
  int staticFlowCount = 0;
  uint32_t labelsDefined = 0;                      // bit per l#
  std::vector<std::pair<uint32_t, int>> calls;     // label number, line
  int arithmeticSlots = 0;
  int textureSlots = 0;
  bool slotsReported = false;
};

// Starts a program with its version token.
void BeginProgram(Encoder& encoder, const ShaderVersion& version);
// Appends the tokens of one statement; on failure appends nothing.
bool EncodeStatement(Encoder& encoder, const Statement& statement, std::string* error);
// Checks what only the whole program shows and appends the end token.
std::vector<Diagnostic> FinishProgram(Encoder& encoder);

// Pieces shared with the declarations (dcl, def, defi, defb).
uint32_t InstructionToken(const Encoder& encoder, const InstructionInfo& info, size_t parameterCount);
uint32_t DestinationToken(const DestinationOperand& operand, uint32_t modifiers);
bool EncodeDcl(Encoder& encoder, const InstructionInfo& info, const Statement& statement, std::string* error);
bool EncodeDefinition(Encoder& encoder, const InstructionInfo& info, const Statement& statement,
                      std::string* error);

}  // namespace shasm
