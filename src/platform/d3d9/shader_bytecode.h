#pragma once
// Reading a shader function: the version token, the instructions with their
// parameter tokens, and the end token; comments are skipped.
#include <cstddef>
#include <vector>

#include "platform/d3d9/d3d9types.h"

namespace d3d9 {

struct ShaderInstruction {
  DWORD opcode = 0;
  DWORD controls = 0;  // opcode-specific bits 16-23
  std::vector<DWORD> params;
};

struct ParsedShader {
  DWORD version = 0;
  std::vector<ShaderInstruction> instructions;
  std::vector<DWORD> tokens;  // the whole function, end token included
};

// Reads a function of the given kind (pixel or vertex). False when the
// version token is of the other kind or the stream is malformed or has no end
// within a sane length.
bool ParseShaderFunction(const DWORD* function, bool pixel, ParsedShader* parsed);
// The same for a function of at most `tokenCount` tokens: nothing past them is
// read, and a function that does not end within them is malformed.
bool ParseShaderFunction(const DWORD* function, size_t tokenCount, bool pixel, ParsedShader* parsed);

}  // namespace d3d9
