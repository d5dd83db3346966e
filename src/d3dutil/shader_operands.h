#pragma once
// Parsing one operand of a shader instruction: a register with its write mask,
// or with its source modifier, swizzle and relative address.
#include <cstdint>
#include <string>
#include <string_view>

#include "d3dutil/shader_model.h"

namespace shasm {

struct RegisterRef {
  const RegisterFile* file = nullptr;
  uint32_t number = 0;
  std::string text;  // as written, for messages
};

struct RelativeAddress {
  bool used = false;
  uint32_t type = 0;       // D3DSPR_ADDR or D3DSPR_LOOP
  uint32_t component = 0;  // of a0: 0 = x .. 3 = w
};

constexpr uint32_t kIdentitySwizzle = 0xE4;  // .xyzw, two bits per component

struct SourceOperand {
  RegisterRef reg;
  uint32_t swizzle = kIdentitySwizzle;  // 8 bits, x in the lowest two
  bool swizzled = false;                // a swizzle was written
  uint32_t modifier = 0;                // D3DSPSM_*
  RelativeAddress relative;
};

struct DestinationOperand {
  RegisterRef reg;
  uint32_t mask = 0xF;  // bit 0 = x
  bool masked = false;  // a mask was written
};

bool ParseSourceOperand(const ShaderVersion& version, std::string_view text, SourceOperand* operand,
                        std::string* error);
bool ParseDestinationOperand(const ShaderVersion& version, std::string_view text,
                             DestinationOperand* operand, std::string* error);

// ".xy" style text of a swizzle, for messages.
std::string SwizzleText(uint32_t swizzle);

}  // namespace shasm
