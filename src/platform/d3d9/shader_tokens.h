#pragma once
// Direct3D 9 shader bytecode: the token layout of vertex and pixel shader
// programs, with Direct3D's names. A program is a stream of 32-bit tokens: a
// version token, instructions (an instruction token followed by its parameter
// tokens), optional comment blocks, and the end token.
#include <cstdint>

// ---------------------------------------------------------------------------
// Version token: 0xFFFE (vertex) or 0xFFFF (pixel) in the high word, major
// version in bits 8-15, minor version in bits 0-7.

constexpr uint32_t D3DVS_VERSION(uint32_t major, uint32_t minor) {
  return 0xFFFE0000u | (major << 8) | minor;
}
constexpr uint32_t D3DPS_VERSION(uint32_t major, uint32_t minor) {
  return 0xFFFF0000u | (major << 8) | minor;
}
constexpr uint32_t D3DSHADER_VERSION_MAJOR(uint32_t version) { return (version >> 8) & 0xFF; }
constexpr uint32_t D3DSHADER_VERSION_MINOR(uint32_t version) { return version & 0xFF; }
constexpr uint32_t D3DSHADER_VERSION_TYPE(uint32_t version) { return version >> 16; }
constexpr uint32_t D3DSHADER_VERSION_TYPE_VERTEX = 0xFFFE;
constexpr uint32_t D3DSHADER_VERSION_TYPE_PIXEL = 0xFFFF;

inline bool IsVertexShaderVersion(uint32_t version) {
  return D3DSHADER_VERSION_TYPE(version) == D3DSHADER_VERSION_TYPE_VERTEX;
}
inline bool IsPixelShaderVersion(uint32_t version) {
  return D3DSHADER_VERSION_TYPE(version) == D3DSHADER_VERSION_TYPE_PIXEL;
}

// ---------------------------------------------------------------------------
// Instruction token: opcode in bits 0-15, opcode-specific controls in bits
// 16-23, instruction length (parameter tokens that follow, shader model 2 and
// later; 0 in 1.x programs) in bits 24-27, predication bit 28, co-issue bit 30.
// Bit 31 is always 0.

enum D3DSHADER_INSTRUCTION_OPCODE_TYPE : uint32_t {
  D3DSIO_NOP = 0,
  D3DSIO_MOV = 1,
  D3DSIO_ADD = 2,
  D3DSIO_SUB = 3,
  D3DSIO_MAD = 4,
  D3DSIO_MUL = 5,
  D3DSIO_RCP = 6,
  D3DSIO_RSQ = 7,
  D3DSIO_DP3 = 8,
  D3DSIO_DP4 = 9,
  D3DSIO_MIN = 10,
  D3DSIO_MAX = 11,
  D3DSIO_SLT = 12,
  D3DSIO_SGE = 13,
  D3DSIO_EXP = 14,
  D3DSIO_LOG = 15,
  D3DSIO_LIT = 16,
  D3DSIO_DST = 17,
  D3DSIO_LRP = 18,
  D3DSIO_FRC = 19,
  D3DSIO_M4x4 = 20,
  D3DSIO_M4x3 = 21,
  D3DSIO_M3x4 = 22,
  D3DSIO_M3x3 = 23,
  D3DSIO_M3x2 = 24,
  D3DSIO_CALL = 25,
  D3DSIO_CALLNZ = 26,
  D3DSIO_LOOP = 27,
  D3DSIO_RET = 28,
  D3DSIO_ENDLOOP = 29,
  D3DSIO_LABEL = 30,
  D3DSIO_DCL = 31,
  D3DSIO_POW = 32,
  D3DSIO_CRS = 33,
  D3DSIO_SGN = 34,
  D3DSIO_ABS = 35,
  D3DSIO_NRM = 36,
  D3DSIO_SINCOS = 37,
  D3DSIO_REP = 38,
  D3DSIO_ENDREP = 39,
  D3DSIO_IF = 40,
  D3DSIO_IFC = 41,
  D3DSIO_ELSE = 42,
  D3DSIO_ENDIF = 43,
  D3DSIO_BREAK = 44,
  D3DSIO_BREAKC = 45,
  D3DSIO_MOVA = 46,
  D3DSIO_DEFB = 47,
  D3DSIO_DEFI = 48,

  D3DSIO_TEXCOORD = 64,
  D3DSIO_TEXKILL = 65,
  D3DSIO_TEX = 66,  // texld, texldp and texldb in shader model 2
  D3DSIO_TEXBEM = 67,
  D3DSIO_TEXBEML = 68,
  D3DSIO_TEXREG2AR = 69,
  D3DSIO_TEXREG2GB = 70,
  D3DSIO_TEXM3x2PAD = 71,
  D3DSIO_TEXM3x2TEX = 72,
  D3DSIO_TEXM3x3PAD = 73,
  D3DSIO_TEXM3x3TEX = 74,
  D3DSIO_RESERVED0 = 75,
  D3DSIO_TEXM3x3SPEC = 76,
  D3DSIO_TEXM3x3VSPEC = 77,
  D3DSIO_EXPP = 78,
  D3DSIO_LOGP = 79,
  D3DSIO_CND = 80,
  D3DSIO_DEF = 81,
  D3DSIO_TEXREG2RGB = 82,
  D3DSIO_TEXDP3TEX = 83,
  D3DSIO_TEXM3x2DEPTH = 84,
  D3DSIO_TEXDP3 = 85,
  D3DSIO_TEXM3x3 = 86,
  D3DSIO_TEXDEPTH = 87,
  D3DSIO_CMP = 88,
  D3DSIO_BEM = 89,
  D3DSIO_DP2ADD = 90,
  D3DSIO_DSX = 91,
  D3DSIO_DSY = 92,
  D3DSIO_TEXLDD = 93,
  D3DSIO_SETP = 94,
  D3DSIO_TEXLDL = 95,
  D3DSIO_BREAKP = 96,

  D3DSIO_PHASE = 0xFFFD,
  D3DSIO_COMMENT = 0xFFFE,
  D3DSIO_END = 0xFFFF,
};

constexpr uint32_t D3DSI_OPCODE_MASK = 0x0000FFFF;
constexpr uint32_t D3DSP_OPCODESPECIFICCONTROL_SHIFT = 16;
constexpr uint32_t D3DSP_OPCODESPECIFICCONTROL_MASK = 0x00FF0000;
constexpr uint32_t D3DSI_INSTLENGTH_SHIFT = 24;
constexpr uint32_t D3DSI_INSTLENGTH_MASK = 0x0F000000;
constexpr uint32_t D3DSHADER_INSTRUCTION_PREDICATED = 0x10000000;
constexpr uint32_t D3DSI_COISSUE = 0x40000000;

// texld variants (opcode-specific controls of D3DSIO_TEX).
constexpr uint32_t D3DSI_TEXLD_PROJECT = 0x00010000;
constexpr uint32_t D3DSI_TEXLD_BIAS = 0x00020000;

// Comparisons of ifc, breakc and setp (opcode-specific controls).
constexpr uint32_t D3DSHADER_COMPARISON_SHIFT = D3DSP_OPCODESPECIFICCONTROL_SHIFT;
constexpr uint32_t D3DSHADER_COMPARISON_MASK = 0x7u << D3DSHADER_COMPARISON_SHIFT;
enum D3DSHADER_COMPARISON : uint32_t {
  D3DSPC_RESERVED0 = 0,
  D3DSPC_GT = 1,
  D3DSPC_EQ = 2,
  D3DSPC_GE = 3,
  D3DSPC_LT = 4,
  D3DSPC_NE = 5,
  D3DSPC_LE = 6,
  D3DSPC_RESERVED1 = 7,
};

// Comment block: D3DSIO_COMMENT with the number of comment tokens that follow
// in bits 16-30.
constexpr uint32_t D3DSI_COMMENTSIZE_SHIFT = 16;
constexpr uint32_t D3DSI_COMMENTSIZE_MASK = 0x7FFF0000;
constexpr uint32_t D3DSHADER_COMMENT(uint32_t tokenCount) {
  return ((tokenCount << D3DSI_COMMENTSIZE_SHIFT) & D3DSI_COMMENTSIZE_MASK) | D3DSIO_COMMENT;
}
constexpr uint32_t D3DPS_END() { return 0x0000FFFF; }
constexpr uint32_t D3DVS_END() { return 0x0000FFFF; }

inline uint32_t InstructionOpcode(uint32_t token) { return token & D3DSI_OPCODE_MASK; }
inline uint32_t InstructionLength(uint32_t token) {
  return (token & D3DSI_INSTLENGTH_MASK) >> D3DSI_INSTLENGTH_SHIFT;
}
inline uint32_t InstructionControls(uint32_t token) {
  return (token & D3DSP_OPCODESPECIFICCONTROL_MASK) >> D3DSP_OPCODESPECIFICCONTROL_SHIFT;
}
inline uint32_t CommentTokenCount(uint32_t token) {
  return (token & D3DSI_COMMENTSIZE_MASK) >> D3DSI_COMMENTSIZE_SHIFT;
}
inline bool IsCommentToken(uint32_t token) {
  return (token & D3DSI_OPCODE_MASK) == D3DSIO_COMMENT;
}
inline bool IsEndToken(uint32_t token) { return token == 0x0000FFFF; }

// ---------------------------------------------------------------------------
// Parameter tokens (destination, source, relative address, dcl usage). Bit 31
// is always 1. Register number in bits 0-10; the register type is split over
// bits 28-30 (low three bits of the type) and bits 11-12 (high two bits).

constexpr uint32_t D3DSP_PARAMETER_BIT = 0x80000000;
constexpr uint32_t D3DSP_REGNUM_MASK = 0x000007FF;
constexpr uint32_t D3DSP_REGTYPE_SHIFT = 28;
constexpr uint32_t D3DSP_REGTYPE_SHIFT2 = 8;
constexpr uint32_t D3DSP_REGTYPE_MASK = 0x70000000;
constexpr uint32_t D3DSP_REGTYPE_MASK2 = 0x00001800;

enum D3DSHADER_PARAM_REGISTER_TYPE : uint32_t {
  D3DSPR_TEMP = 0,
  D3DSPR_INPUT = 1,
  D3DSPR_CONST = 2,
  D3DSPR_ADDR = 3,     // vertex shaders: a0
  D3DSPR_TEXTURE = 3,  // pixel shaders: t#
  D3DSPR_RASTOUT = 4,
  D3DSPR_ATTROUT = 5,
  D3DSPR_TEXCRDOUT = 6,
  D3DSPR_OUTPUT = 6,
  D3DSPR_CONSTINT = 7,
  D3DSPR_COLOROUT = 8,
  D3DSPR_DEPTHOUT = 9,
  D3DSPR_SAMPLER = 10,
  D3DSPR_CONST2 = 11,
  D3DSPR_CONST3 = 12,
  D3DSPR_CONST4 = 13,
  D3DSPR_CONSTBOOL = 14,
  D3DSPR_LOOP = 15,
  D3DSPR_TEMPFLOAT16 = 16,
  D3DSPR_MISCTYPE = 17,
  D3DSPR_LABEL = 18,
  D3DSPR_PREDICATE = 19,
};

// Register numbers of D3DSPR_RASTOUT.
enum D3DVS_RASTOUT_OFFSETS : uint32_t {
  D3DSRO_POSITION = 0,
  D3DSRO_FOG = 1,
  D3DSRO_POINT_SIZE = 2,
};

constexpr uint32_t D3DSPR_REGISTER_TYPE_BITS(uint32_t type) {
  return ((type << D3DSP_REGTYPE_SHIFT) & D3DSP_REGTYPE_MASK) |
         ((type << D3DSP_REGTYPE_SHIFT2) & D3DSP_REGTYPE_MASK2);
}
inline uint32_t ParameterRegisterType(uint32_t token) {
  return ((token & D3DSP_REGTYPE_MASK) >> D3DSP_REGTYPE_SHIFT) |
         ((token & D3DSP_REGTYPE_MASK2) >> D3DSP_REGTYPE_SHIFT2);
}
inline uint32_t ParameterRegisterNumber(uint32_t token) { return token & D3DSP_REGNUM_MASK; }

// Relative addressing (bit 13). In vs_1_1 the address register a0.x is
// implied; from shader model 2 on an extra token naming the address register
// (a0 or aL, with its component as a replicate swizzle) follows the source.
constexpr uint32_t D3DSHADER_ADDRESSMODE_SHIFT = 13;
constexpr uint32_t D3DSHADER_ADDRESSMODE_MASK = 1u << D3DSHADER_ADDRESSMODE_SHIFT;
constexpr uint32_t D3DSHADER_ADDRMODE_ABSOLUTE = 0;
constexpr uint32_t D3DSHADER_ADDRMODE_RELATIVE = 1u << D3DSHADER_ADDRESSMODE_SHIFT;
constexpr uint32_t D3DVS_ADDRESSMODE_SHIFT = D3DSHADER_ADDRESSMODE_SHIFT;
constexpr uint32_t D3DVS_ADDRMODE_RELATIVE = D3DSHADER_ADDRMODE_RELATIVE;
inline bool IsRelativeAddressed(uint32_t token) {
  return (token & D3DSHADER_ADDRESSMODE_MASK) != 0;
}

// Destination write mask (bits 16-19).
constexpr uint32_t D3DSP_WRITEMASK_0 = 0x00010000;  // x or red
constexpr uint32_t D3DSP_WRITEMASK_1 = 0x00020000;  // y or green
constexpr uint32_t D3DSP_WRITEMASK_2 = 0x00040000;  // z or blue
constexpr uint32_t D3DSP_WRITEMASK_3 = 0x00080000;  // w or alpha
constexpr uint32_t D3DSP_WRITEMASK_ALL = 0x000F0000;
constexpr uint32_t D3DSP_WRITEMASK_SHIFT = 16;
inline uint32_t DestinationWriteMask(uint32_t token) {
  return (token & D3DSP_WRITEMASK_ALL) >> D3DSP_WRITEMASK_SHIFT;  // bit 0 = x
}

// Destination result modifiers (bits 20-23) and shift scale (bits 24-27, a
// signed 4-bit power of two: 1 = x2, 2 = x4, 3 = x8, 15 = d2, 14 = d4, 13 = d8).
constexpr uint32_t D3DSP_DSTMOD_SHIFT = 20;
constexpr uint32_t D3DSP_DSTMOD_MASK = 0x00F00000;
constexpr uint32_t D3DSPDM_NONE = 0;
constexpr uint32_t D3DSPDM_SATURATE = 1u << D3DSP_DSTMOD_SHIFT;
constexpr uint32_t D3DSPDM_PARTIALPRECISION = 2u << D3DSP_DSTMOD_SHIFT;
constexpr uint32_t D3DSPDM_MSAMPCENTROID = 4u << D3DSP_DSTMOD_SHIFT;
constexpr uint32_t D3DSP_DSTSHIFT_SHIFT = 24;
constexpr uint32_t D3DSP_DSTSHIFT_MASK = 0x0F000000;
inline int DestinationShift(uint32_t token) {
  int shift = static_cast<int>((token & D3DSP_DSTSHIFT_MASK) >> D3DSP_DSTSHIFT_SHIFT);
  return shift >= 8 ? shift - 16 : shift;
}

// Source swizzle (bits 16-23): two bits per output component, x first.
constexpr uint32_t D3DSP_SWIZZLE_SHIFT = 16;
constexpr uint32_t D3DSP_SWIZZLE_MASK = 0x00FF0000;
constexpr uint32_t D3DVS_SWIZZLE_SHIFT = D3DSP_SWIZZLE_SHIFT;
constexpr uint32_t D3DVS_SWIZZLE_MASK = D3DSP_SWIZZLE_MASK;
constexpr uint32_t D3DSP_NOSWIZZLE = (0u << 16) | (1u << 18) | (2u << 20) | (3u << 22);
constexpr uint32_t D3DVS_NOSWIZZLE = D3DSP_NOSWIZZLE;
constexpr uint32_t D3DSP_REPLICATERED = 0x00000000;
constexpr uint32_t D3DSP_REPLICATEGREEN = 0x00550000;
constexpr uint32_t D3DSP_REPLICATEBLUE = 0x00AA0000;
constexpr uint32_t D3DSP_REPLICATEALPHA = 0x00FF0000;
constexpr uint32_t D3DSP_SWIZZLE(uint32_t x, uint32_t y, uint32_t z, uint32_t w) {
  return (x << 16) | (y << 18) | (z << 20) | (w << 22);
}
// Which source component (0 = x .. 3 = w) feeds output component `index`.
inline uint32_t SourceSwizzleComponent(uint32_t token, unsigned index) {
  return (token >> (D3DSP_SWIZZLE_SHIFT + 2 * (index & 3))) & 3;
}

// Source modifiers (bits 24-27).
constexpr uint32_t D3DSP_SRCMOD_SHIFT = 24;
constexpr uint32_t D3DSP_SRCMOD_MASK = 0x0F000000;
enum D3DSHADER_PARAM_SRCMOD_TYPE : uint32_t {
  D3DSPSM_NONE = 0u << 24,
  D3DSPSM_NEG = 1u << 24,
  D3DSPSM_BIAS = 2u << 24,
  D3DSPSM_BIASNEG = 3u << 24,
  D3DSPSM_SIGN = 4u << 24,
  D3DSPSM_SIGNNEG = 5u << 24,
  D3DSPSM_COMP = 6u << 24,
  D3DSPSM_X2 = 7u << 24,
  D3DSPSM_X2NEG = 8u << 24,
  D3DSPSM_DZ = 9u << 24,
  D3DSPSM_DW = 10u << 24,
  D3DSPSM_ABS = 11u << 24,
  D3DSPSM_ABSNEG = 12u << 24,
  D3DSPSM_NOT = 13u << 24,
};
inline uint32_t SourceModifier(uint32_t token) { return token & D3DSP_SRCMOD_MASK; }

// ---------------------------------------------------------------------------
// dcl: D3DSIO_DCL, then a usage token, then the destination register token.
// Usage token: usage in bits 0-4 and usage index in bits 16-19 for vertex
// shader inputs; texture type in bits 27-30 for samplers; for pixel shader
// t# and v# inputs only bit 31.

constexpr uint32_t D3DSP_DCL_USAGE_SHIFT = 0;
constexpr uint32_t D3DSP_DCL_USAGE_MASK = 0x0000001F;
constexpr uint32_t D3DSP_DCL_USAGEINDEX_SHIFT = 16;
constexpr uint32_t D3DSP_DCL_USAGEINDEX_MASK = 0x000F0000;
constexpr uint32_t D3DSP_TEXTURETYPE_SHIFT = 27;
constexpr uint32_t D3DSP_TEXTURETYPE_MASK = 0x78000000;

enum D3DDECLUSAGE : uint32_t {
  D3DDECLUSAGE_POSITION = 0,
  D3DDECLUSAGE_BLENDWEIGHT = 1,
  D3DDECLUSAGE_BLENDINDICES = 2,
  D3DDECLUSAGE_NORMAL = 3,
  D3DDECLUSAGE_PSIZE = 4,
  D3DDECLUSAGE_TEXCOORD = 5,
  D3DDECLUSAGE_TANGENT = 6,
  D3DDECLUSAGE_BINORMAL = 7,
  D3DDECLUSAGE_TESSFACTOR = 8,
  D3DDECLUSAGE_POSITIONT = 9,
  D3DDECLUSAGE_COLOR = 10,
  D3DDECLUSAGE_FOG = 11,
  D3DDECLUSAGE_DEPTH = 12,
  D3DDECLUSAGE_SAMPLE = 13,
};

enum D3DSAMPLER_TEXTURE_TYPE : uint32_t {
  D3DSTT_UNKNOWN = 0u << 27,
  D3DSTT_1D = 1u << 27,
  D3DSTT_2D = 2u << 27,
  D3DSTT_CUBE = 3u << 27,
  D3DSTT_VOLUME = 4u << 27,
};

inline uint32_t DclUsage(uint32_t usageToken) {
  return (usageToken & D3DSP_DCL_USAGE_MASK) >> D3DSP_DCL_USAGE_SHIFT;
}
inline uint32_t DclUsageIndex(uint32_t usageToken) {
  return (usageToken & D3DSP_DCL_USAGEINDEX_MASK) >> D3DSP_DCL_USAGEINDEX_SHIFT;
}
inline uint32_t DclTextureType(uint32_t usageToken) {
  return usageToken & D3DSP_TEXTURETYPE_MASK;
}

// D3DSINCOSCONST1 and D3DSINCOSCONST2: the constants sincos takes as its
// second and third source in shader model 2.
constexpr float D3DSINCOSCONST1[4] = {-1.5500992e-006f, -2.1701389e-005f, 0.0026041667f,
                                      0.00026041668f};
constexpr float D3DSINCOSCONST2[4] = {-0.020833334f, -0.12500000f, 1.0f, 0.50000000f};
