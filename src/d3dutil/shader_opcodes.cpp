#include "d3dutil/shader_opcodes.h"

#include "d3dutil/shader_model.h"
#include "platform/d3d9/shader_tokens.h"

namespace shasm {
namespace {

constexpr uint8_t kAll = kVs11 | kVs20 | kPs20;
constexpr uint8_t kVs = kVs11 | kVs20;
constexpr uint8_t kSm2 = kVs20 | kPs20;
constexpr uint8_t kNowhere = 0;

constexpr InstructionInfo Op(const char* name, uint32_t opcode, const char* operands, uint8_t versions,
                             uint8_t slots = 1) {
  return {name, opcode, 0, operands, versions, slots, 0, Form::kPlain, Block::kNone, false};
}

constexpr InstructionInfo Matrix(const char* name, uint32_t opcode, uint8_t rows) {
  return {name, opcode, 0, "dss", kAll, rows, rows, Form::kPlain, Block::kNone, false};
}

constexpr InstructionInfo Flow(const char* name, uint32_t opcode, const char* operands, Block block,
                               uint8_t slots) {
  return {name, opcode, 0, operands, kVs20, slots, 0, Form::kPlain, block, false};
}

constexpr InstructionInfo Declare(const char* name, uint32_t opcode, Form form, uint8_t versions) {
  return {name, opcode, 0, "", versions, 0, 0, form, Block::kNone, false};
}

constexpr InstructionInfo Texture(const char* name, uint32_t opcode, uint32_t controls, const char* operands) {
  return {name, opcode, controls, operands, kPs20, 1, 0, Form::kPlain, Block::kNone, true};
}

const InstructionInfo kInstructions[] = {
    Op("nop", D3DSIO_NOP, "", kAll),
    Op("mov", D3DSIO_MOV, "ds", kAll),
    Op("mova", D3DSIO_MOVA, "ds", kVs20),
    Op("add", D3DSIO_ADD, "dss", kAll),
    Op("sub", D3DSIO_SUB, "dss", kAll),
    Op("mad", D3DSIO_MAD, "dsss", kAll),
    Op("mul", D3DSIO_MUL, "dss", kAll),
    Op("rcp", D3DSIO_RCP, "ds", kAll),
    Op("rsq", D3DSIO_RSQ, "ds", kAll),
    Op("dp3", D3DSIO_DP3, "dss", kAll),
    Op("dp4", D3DSIO_DP4, "dss", kAll),
    Op("min", D3DSIO_MIN, "dss", kAll),
    Op("max", D3DSIO_MAX, "dss", kAll),
    Op("slt", D3DSIO_SLT, "dss", kVs),
    Op("sge", D3DSIO_SGE, "dss", kVs),
    Op("exp", D3DSIO_EXP, "ds", kAll),
    Op("expp", D3DSIO_EXPP, "ds", kVs),
    Op("log", D3DSIO_LOG, "ds", kAll),
    Op("logp", D3DSIO_LOGP, "ds", kVs),
    Op("lit", D3DSIO_LIT, "ds", kVs),
    Op("dst", D3DSIO_DST, "dss", kVs),
    Op("frc", D3DSIO_FRC, "ds", kAll),
    Op("lrp", D3DSIO_LRP, "dsss", kSm2, 2),
    Op("abs", D3DSIO_ABS, "ds", kSm2),
    Op("nrm", D3DSIO_NRM, "ds", kSm2, 3),
    Op("pow", D3DSIO_POW, "dss", kSm2, 3),
    Op("crs", D3DSIO_CRS, "dss", kSm2, 2),
    Op("sgn", D3DSIO_SGN, "dsss", kVs20, 3),
    Op("sincos", D3DSIO_SINCOS, "dsss", kSm2, 8),
    Op("cmp", D3DSIO_CMP, "dsss", kPs20),
    Op("dp2add", D3DSIO_DP2ADD, "dsss", kPs20, 2),
    Matrix("m4x4", D3DSIO_M4x4, 4),
    Matrix("m4x3", D3DSIO_M4x3, 3),
    Matrix("m3x4", D3DSIO_M3x4, 4),
    Matrix("m3x3", D3DSIO_M3x3, 3),
    Matrix("m3x2", D3DSIO_M3x2, 2),
    Texture("texld", D3DSIO_TEX, 0, "dtm"),
    Texture("texldp", D3DSIO_TEX, D3DSI_TEXLD_PROJECT, "dtm"),
    Texture("texldb", D3DSIO_TEX, D3DSI_TEXLD_BIAS, "dtm"),
    Texture("texkill", D3DSIO_TEXKILL, 0, "k"),
    Flow("if", D3DSIO_IF, "b", Block::kIf, 3),
    Flow("else", D3DSIO_ELSE, "", Block::kElse, 1),
    Flow("endif", D3DSIO_ENDIF, "", Block::kEndIf, 1),
    Flow("loop", D3DSIO_LOOP, "ai", Block::kLoop, 3),
    Flow("endloop", D3DSIO_ENDLOOP, "", Block::kEndLoop, 2),
    Flow("rep", D3DSIO_REP, "i", Block::kRep, 3),
    Flow("endrep", D3DSIO_ENDREP, "", Block::kEndRep, 2),
    Flow("call", D3DSIO_CALL, "l", Block::kCall, 2),
    Flow("callnz", D3DSIO_CALLNZ, "lb", Block::kCall, 3),
    Flow("label", D3DSIO_LABEL, "l", Block::kLabel, 0),
    Flow("ret", D3DSIO_RET, "", Block::kNone, 1),
    Declare("dcl", D3DSIO_DCL, Form::kDcl, kAll),
    Declare("def", D3DSIO_DEF, Form::kDef, kAll),
    Declare("defi", D3DSIO_DEFI, Form::kDefI, kVs20),
    Declare("defb", D3DSIO_DEFB, Form::kDefB, kVs20),
    // Known from other versions, so that using them says so.
    Op("break", D3DSIO_BREAK, "", kNowhere),
    Op("breakp", D3DSIO_BREAKP, "s", kNowhere),
    Op("setp", D3DSIO_SETP, "dss", kNowhere),
    Op("texldl", D3DSIO_TEXLDL, "dsm", kNowhere),
    Op("texldd", D3DSIO_TEXLDD, "dsmss", kNowhere),
    Op("dsx", D3DSIO_DSX, "ds", kNowhere),
    Op("dsy", D3DSIO_DSY, "ds", kNowhere),
    Op("cnd", D3DSIO_CND, "dsss", kNowhere),
    Op("bem", D3DSIO_BEM, "dss", kNowhere),
    Op("tex", D3DSIO_TEX, "d", kNowhere),
    Op("texcoord", D3DSIO_TEXCOORD, "d", kNowhere),
    Op("phase", D3DSIO_PHASE, "", kNowhere),
};

}  // namespace

const InstructionInfo* FindInstruction(std::string_view lowerName) {
  for (const InstructionInfo& info : kInstructions)
    if (lowerName == info.name) return &info;
  return nullptr;
}

}  // namespace shasm
