#pragma once
// The instruction set: each mnemonic with its opcode, its operands, the
// versions that have it and the instruction slots it takes.
#include <cstdint>
#include <string_view>

namespace shasm {

// Letters of InstructionInfo::operands.
enum OperandKind : char {
  kDestination = 'd',  // written register with write mask
  kSource = 's',       // read register with modifier, swizzle, relative address
  kSampler = 'm',      // s#
  kTexCoord = 't',     // texld coordinates: r# or t#, as written
  kKillTarget = 'k',   // texkill: r# or t#, encoded as a destination
  kLabel = 'l',        // l#
  kBool = 'b',         // b#
  kInt = 'i',          // i#
  kLoopCounter = 'a',  // aL
};

enum class Form : uint8_t { kPlain, kDcl, kDef, kDefI, kDefB };

enum class Block : uint8_t { kNone, kIf, kElse, kEndIf, kLoop, kEndLoop, kRep, kEndRep, kLabel, kCall };

struct InstructionInfo {
  const char* name;
  uint32_t opcode;    // D3DSIO_*
  uint32_t controls;  // opcode-specific bits of the instruction token
  const char* operands;
  uint8_t versions;  // VersionBit set; 0 for instructions of versions not accepted here
  uint8_t slots;
  uint8_t matrixRows;  // m4x4 and friends read this many consecutive registers
  Form form;
  Block block;
  bool texture;  // counts against the texture slots of a pixel shader
};

const InstructionInfo* FindInstruction(std::string_view lowerName);

}  // namespace shasm
