#pragma once
// The shader versions the assembler accepts and the register files each of
// them offers.
#include <cstdint>
#include <string_view>

namespace shasm {

// One bit per accepted version, so that the opcode table can say where an
// instruction exists.
enum VersionBit : uint8_t { kVs11 = 1, kVs20 = 2, kPs20 = 4 };

struct ShaderVersion {
  const char* name;  // "vs_2_0"
  VersionBit bit;
  bool pixel;
  uint32_t token;
  bool instructionLength;  // shader model 2 fills the length field of instructions
  int arithmeticSlots;     // instruction slots; for vertex shaders all instructions
  int textureSlots;        // texture instruction slots of pixel shaders
};

// "vs_1_1", "vs_2_0" or "ps_2_0" (any case, '.' also accepted for '_'); null otherwise.
const ShaderVersion* FindShaderVersion(std::string_view word);
// True for any word shaped like a version line ("ps_1_4", "vs_3_0").
bool LooksLikeShaderVersion(std::string_view word);

enum RegisterAccess : uint8_t {
  kReadable = 1,  // an ordinary source operand
  kWritable = 2,  // an ordinary destination operand
  kSpecial = 0,   // only where an instruction asks for it (a0, s#, i#, b#, aL, l#)
};

struct RegisterFile {
  const char* prefix;    // lower case: "r", "c", "opos"
  uint32_t type;         // D3DSPR_*
  uint32_t count;        // numbered registers (r0..r11); 0 for a named one (oPos)
  uint32_t fixedNumber;  // register number of a named register
  uint8_t access;
  bool relative;  // may be indexed by the address or loop register
  const char* displayName;  // as the documentation spells it: "r#", "oPos"
};

const RegisterFile* FindRegisterFile(const ShaderVersion& version, std::string_view lowerPrefix);

}  // namespace shasm
