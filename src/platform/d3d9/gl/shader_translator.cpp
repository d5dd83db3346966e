#include "platform/d3d9/gl/shader_translator.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/gl/gl_api.h"

namespace d3d9 {
namespace {

constexpr int kRelativeArraySize = 256;
constexpr int kLoopLimit = 255;

std::string Float(float value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.9g", value);
  std::string s = text;
  if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
  if (s == "inf") return "(1.0/0.0)";
  if (s == "-inf") return "(-1.0/0.0)";
  if (s.find("nan") != std::string::npos) return "0.0";
  return s;
}

std::string Vec4(const float* v) {
  return "vec4(" + Float(v[0]) + ", " + Float(v[1]) + ", " + Float(v[2]) + ", " + Float(v[3]) + ")";
}

std::string MaskOf(DWORD token) {
  DWORD mask = DestinationWriteMask(token);
  std::string s;
  for (int i = 0; i < 4; ++i)
    if (mask & (1u << i)) s += "xyzw"[i];
  return s;
}

std::string SwizzleOf(DWORD token) {
  std::string s;
  for (unsigned i = 0; i < 4; ++i) s += "xyzw"[SourceSwizzleComponent(token, i)];
  return s == "xyzw" ? std::string() : "." + s;
}

const char* Comparison(DWORD controls) {
  switch (controls & 7) {
    case D3DSPC_GT: return ">";
    case D3DSPC_EQ: return "==";
    case D3DSPC_GE: return ">=";
    case D3DSPC_LT: return "<";
    case D3DSPC_NE: return "!=";
    case D3DSPC_LE: return "<=";
    default: return nullptr;
  }
}

// One source operand: the register token and, for relative addressing in
// shader model 2, the address token after it.
struct Source {
  DWORD token = 0;
  DWORD address = 0;
  bool hasAddressToken = false;
};

struct Operands {
  bool hasDestination = false;
  DWORD destination = 0;
  std::vector<Source> sources;
};

class Translator {
 public:
  Translator(const ParsedShader& parsed, WindowOrigin origin, TranslatedShader* out)
      : parsed_(parsed), out_(out), pixel_(IsPixelShaderVersion(parsed.version)),
        major_(D3DSHADER_VERSION_MAJOR(parsed.version)), origin_(origin), prefix_(pixel_ ? "pc" : "vc") {}

  bool Run();

 private:
  bool Fail(const std::string& why) {
    if (out_->error.empty()) out_->error = why;
    return false;
  }
  Operands Split(const ShaderInstruction& instruction) const;
  bool HasDestination(DWORD opcode) const;
  bool Declare(const ShaderInstruction& instruction);
  void NoteRead(DWORD token, bool relative);
  void NoteWrite(DWORD token);
  std::string RegisterName(DWORD token, const Source* source, bool forRead);
  std::string Read(const Source& source);
  std::string ReadScalar(const Source& source, char component) { return "(" + Read(source) + ")." + component; }
  std::string RowOf(const Source& source, int offset);
  // Declarations were taken by Declare; every other instruction is emitted
  // by the one group of steps below that knows it. A group answers nothing
  // for an instruction outside it.
  bool Emit(const ShaderInstruction& instruction);
  void NoteOperands(const ShaderInstruction& instruction, const Operands& operands);
  bool TooFewOperands(const ShaderInstruction& instruction);
  std::optional<bool> EmitArithmetic(const ShaderInstruction& instruction, const Operands& operands);
  std::optional<bool> EmitMatrixProduct(const ShaderInstruction& instruction, const Operands& operands);
  std::optional<bool> EmitSelectionOrDerivative(const ShaderInstruction& instruction, const Operands& operands);
  std::optional<bool> EmitTexturing(const ShaderInstruction& instruction, const Operands& operands);
  std::optional<bool> EmitFlowControl(const ShaderInstruction& instruction, const Operands& operands);
  void Store(DWORD destination, const std::string& value, DWORD opcode);
  void Line(const std::string& text) { body_ += std::string(indent_ * 2, ' ') + text + "\n"; }
  std::string Assemble();

  const ParsedShader& parsed_;
  TranslatedShader* out_;
  bool pixel_;
  DWORD major_;
  WindowOrigin origin_;
  std::string prefix_;
  std::string body_;
  int indent_ = 1;
  int loopCounter_ = 0;
  std::vector<int> openBlocks_;  // braces each open loop or if needs closed

  std::set<int> temps_, inputs_, textures_, colourOutputs_, texcoordOutputs_, intRegs_, boolRegs_;
  std::set<int> constantsRead_;
  std::map<int, std::array<float, 4>> floatDefs_;
  std::map<int, std::array<int, 4>> intDefs_;
  std::map<int, bool> boolDefs_;
  std::map<int, DWORD> inputUsage_;  // vertex input register -> usage token
  bool ReadsSwappedColour(int input) const;
  bool usesAddress_ = false, writesDepth_ = false, writesFog_ = false, writesPointSize_ = false;
};

bool Translator::HasDestination(DWORD opcode) const {
  switch (opcode) {
    case D3DSIO_NOP:
    case D3DSIO_CALL:
    case D3DSIO_CALLNZ:
    case D3DSIO_LOOP:
    case D3DSIO_RET:
    case D3DSIO_ENDLOOP:
    case D3DSIO_LABEL:
    case D3DSIO_REP:
    case D3DSIO_ENDREP:
    case D3DSIO_IF:
    case D3DSIO_IFC:
    case D3DSIO_ELSE:
    case D3DSIO_ENDIF:
    case D3DSIO_BREAK:
    case D3DSIO_BREAKC:
    case D3DSIO_PHASE:
      return false;
    default:
      return true;
  }
}

Operands Translator::Split(const ShaderInstruction& instruction) const {
  Operands operands;
  size_t at = 0;
  const auto& p = instruction.params;
  if (HasDestination(instruction.opcode) && at < p.size()) {
    operands.hasDestination = true;
    operands.destination = p[at++];
  }
  while (at < p.size()) {
    Source source;
    source.token = p[at++];
    if (IsRelativeAddressed(source.token) && major_ >= 2 && at < p.size()) {
      source.address = p[at++];
      source.hasAddressToken = true;
    }
    operands.sources.push_back(source);
  }
  return operands;
}

bool Translator::Declare(const ShaderInstruction& instruction) {
  const auto& p = instruction.params;
  switch (instruction.opcode) {
    case D3DSIO_DCL: {
      if (p.size() < 2) return Fail("dcl without operands");
      DWORD type = ParameterRegisterType(p[1]);
      int number = static_cast<int>(ParameterRegisterNumber(p[1]));
      if (type == D3DSPR_INPUT && !pixel_) inputUsage_[number] = p[0];
      if (type == D3DSPR_SAMPLER) out_->samplers |= 1u << (number & 31);
      if (type == D3DSPR_OUTPUT && !pixel_ && major_ >= 3) return Fail("shader model 3 outputs");
      return true;
    }
    case D3DSIO_DEF: {
      if (p.size() < 5) return Fail("def without values");
      std::array<float, 4> v;
      std::memcpy(v.data(), &p[1], 16);
      floatDefs_[static_cast<int>(ParameterRegisterNumber(p[0]))] = v;
      return true;
    }
    case D3DSIO_DEFI: {
      if (p.size() < 5) return Fail("defi without values");
      std::array<int, 4> v;
      std::memcpy(v.data(), &p[1], 16);
      intDefs_[static_cast<int>(ParameterRegisterNumber(p[0]))] = v;
      return true;
    }
    case D3DSIO_DEFB: {
      if (p.size() < 2) return Fail("defb without value");
      boolDefs_[static_cast<int>(ParameterRegisterNumber(p[0]))] = p[1] != 0;
      return true;
    }
    default:
      return true;
  }
}

void Translator::NoteRead(DWORD token, bool relative) {
  int number = static_cast<int>(ParameterRegisterNumber(token));
  switch (ParameterRegisterType(token)) {
    case D3DSPR_TEMP: temps_.insert(number); break;
    case D3DSPR_INPUT: inputs_.insert(number); break;
    case D3DSPR_CONST:
      if (relative) out_->relativeAddressing = true;
      else if (!floatDefs_.count(number)) constantsRead_.insert(number);
      break;
    case D3DSPR_ADDR:  // t# in pixel shaders
      if (pixel_) textures_.insert(number);
      else usesAddress_ = true;
      break;
    case D3DSPR_CONSTINT: intRegs_.insert(number); break;
    case D3DSPR_CONSTBOOL: boolRegs_.insert(number); break;
    case D3DSPR_SAMPLER: out_->samplers |= 1u << (number & 31); break;
    default: break;
  }
}

void Translator::NoteWrite(DWORD token) {
  int number = static_cast<int>(ParameterRegisterNumber(token));
  switch (ParameterRegisterType(token)) {
    case D3DSPR_TEMP: temps_.insert(number); break;
    case D3DSPR_ADDR:
      if (pixel_) textures_.insert(number);
      else usesAddress_ = true;
      break;
    case D3DSPR_RASTOUT:
      if (number == D3DSRO_FOG) writesFog_ = true;
      if (number == D3DSRO_POINT_SIZE) writesPointSize_ = true;
      break;
    case D3DSPR_ATTROUT: colourOutputs_.insert(number); break;
    case D3DSPR_TEXCRDOUT: texcoordOutputs_.insert(number); break;
    case D3DSPR_DEPTHOUT: writesDepth_ = true; break;
    default: break;
  }
}

std::string Translator::RegisterName(DWORD token, const Source* source, bool forRead) {
  int number = static_cast<int>(ParameterRegisterNumber(token));
  std::string n = std::to_string(number);
  switch (ParameterRegisterType(token)) {
    case D3DSPR_TEMP: return "r" + n;
    case D3DSPR_INPUT: return "v" + n;
    case D3DSPR_CONST: {
      if (forRead && IsRelativeAddressed(token)) {
        std::string index = "a0.x";
        if (source && source->hasAddressToken) {
          char component = "xyzw"[SourceSwizzleComponent(source->address, 0)];
          index = ParameterRegisterType(source->address) == D3DSPR_LOOP ? std::string("aL")
                                                                         : std::string("a0.") + component;
        }
        return prefix_ + "[clamp(" + index + " + " + n + ", 0, " + std::to_string(kRelativeArraySize - 1) + ")]";
      }
      if (floatDefs_.count(number)) return "k" + n;
      return prefix_ + "[" + n + "]";
    }
    case D3DSPR_ADDR: return pixel_ ? "t" + n : (forRead ? "vec4(a0)" : "a0");
    case D3DSPR_RASTOUT: return number == 0 ? "oPos" : number == 1 ? "oFog" : "oPts";
    case D3DSPR_ATTROUT: return "oD" + n;
    case D3DSPR_TEXCRDOUT: return "oT" + n;
    case D3DSPR_CONSTINT: return "i" + n;
    case D3DSPR_COLOROUT: return "oC" + n;
    case D3DSPR_DEPTHOUT: return "oDepth";
    case D3DSPR_SAMPLER: return "s" + n;
    case D3DSPR_CONSTBOOL: return "b" + n;
    case D3DSPR_LOOP: return "vec4(aL)";
    default: return "vec4(0.0)";
  }
}

std::string Translator::Read(const Source& source) {
  std::string x = RegisterName(source.token, &source, true) + SwizzleOf(source.token);
  switch (SourceModifier(source.token)) {
    case D3DSPSM_NEG: return "-" + x;
    case D3DSPSM_BIAS: return "(" + x + " - 0.5)";
    case D3DSPSM_BIASNEG: return "(0.5 - " + x + ")";
    case D3DSPSM_SIGN: return "(2.0 * " + x + " - 1.0)";
    case D3DSPSM_SIGNNEG: return "(1.0 - 2.0 * " + x + ")";
    case D3DSPSM_COMP: return "(1.0 - " + x + ")";
    case D3DSPSM_X2: return "(2.0 * " + x + ")";
    case D3DSPSM_X2NEG: return "(-2.0 * " + x + ")";
    case D3DSPSM_DZ: return "(" + x + " / " + x + ".z)";
    case D3DSPSM_DW: return "(" + x + " / " + x + ".w)";
    case D3DSPSM_ABS: return "abs(" + x + ")";
    case D3DSPSM_ABSNEG: return "-abs(" + x + ")";
    default: return x;
  }
}

// Register `offset` rows after a matrix operand (m4x4 and friends).
std::string Translator::RowOf(const Source& source, int offset) {
  Source row = source;
  DWORD number = ParameterRegisterNumber(row.token) + offset;
  row.token = (row.token & ~D3DSP_REGNUM_MASK) | (number & D3DSP_REGNUM_MASK);
  NoteRead(row.token, IsRelativeAddressed(row.token));
  return Read(row);
}

void Translator::Store(DWORD destination, const std::string& value, DWORD opcode) {
  std::string mask = MaskOf(destination);
  if (mask.empty()) return;
  std::string name = RegisterName(destination, nullptr, false);
  Line("{");
  ++indent_;
  Line("vec4 t = " + value + ";");
  int shift = DestinationShift(destination);
  if (shift > 0) Line("t *= " + Float(float(1 << shift)) + ";");
  if (shift < 0) Line("t /= " + Float(float(1 << -shift)) + ";");
  if (destination & D3DSPDM_SATURATE) Line("t = clamp(t, 0.0, 1.0);");
  DWORD type = ParameterRegisterType(destination);
  if (!pixel_ && type == D3DSPR_ADDR) {
    // mova rounds to the nearest integer; vs_1_1's mov to a0 truncates down.
    std::string rounded = opcode == D3DSIO_MOVA ? "floor(t + 0.5)" : "floor(t)";
    Line("a0." + mask + " = ivec4(" + rounded + ")." + mask + ";");
  } else {
    Line(name + "." + mask + " = t." + mask + ";");
  }
  --indent_;
  Line("}");
}

bool Translator::TooFewOperands(const ShaderInstruction& in) {
  return Fail("instruction " + std::to_string(in.opcode) + " with too few operands");
}

void Translator::NoteOperands(const ShaderInstruction& in, const Operands& o) {
  for (const Source& s : o.sources) NoteRead(s.token, IsRelativeAddressed(s.token));
  if (o.hasDestination && in.opcode != D3DSIO_TEXKILL) NoteWrite(o.destination);
  if (o.hasDestination && in.opcode == D3DSIO_TEXKILL) NoteRead(o.destination, false);
}

std::optional<bool> Translator::EmitArithmetic(const ShaderInstruction& in, const Operands& o) {
  auto need = [&](size_t count) { return o.sources.size() >= count; };
  auto S = [&](size_t i) { return Read(o.sources[i]); };
  auto scalar = [&](size_t i) { return ReadScalar(o.sources[i], 'w'); };
  auto store = [&](const std::string& v) { Store(o.destination, v, in.opcode); };
  switch (in.opcode) {
    case D3DSIO_MOV:
    case D3DSIO_MOVA:
      if (!need(1)) break;
      store(S(0));
      return true;
    case D3DSIO_ADD: if (!need(2)) break; store(S(0) + " + " + S(1)); return true;
    case D3DSIO_SUB: if (!need(2)) break; store(S(0) + " - " + S(1)); return true;
    case D3DSIO_MUL: if (!need(2)) break; store(S(0) + " * " + S(1)); return true;
    case D3DSIO_MAD: if (!need(3)) break; store(S(0) + " * " + S(1) + " + " + S(2)); return true;
    case D3DSIO_RCP: if (!need(1)) break; store("vec4(1.0 / " + scalar(0) + ")"); return true;
    case D3DSIO_RSQ: if (!need(1)) break; store("vec4(inversesqrt(abs(" + scalar(0) + ")))"); return true;
    case D3DSIO_DP3: if (!need(2)) break; store("vec4(dot((" + S(0) + ").xyz, (" + S(1) + ").xyz))"); return true;
    case D3DSIO_DP4: if (!need(2)) break; store("vec4(dot(" + S(0) + ", " + S(1) + "))"); return true;
    case D3DSIO_MIN: if (!need(2)) break; store("min(" + S(0) + ", " + S(1) + ")"); return true;
    case D3DSIO_MAX: if (!need(2)) break; store("max(" + S(0) + ", " + S(1) + ")"); return true;
    case D3DSIO_SLT: if (!need(2)) break; store("vec4(lessThan(" + S(0) + ", " + S(1) + "))"); return true;
    case D3DSIO_SGE: if (!need(2)) break; store("vec4(greaterThanEqual(" + S(0) + ", " + S(1) + "))"); return true;
    case D3DSIO_EXP:
    case D3DSIO_EXPP: if (!need(1)) break; store("vec4(exp2(" + scalar(0) + "))"); return true;
    case D3DSIO_LOG:
    case D3DSIO_LOGP: if (!need(1)) break; store("vec4(log2(abs(" + scalar(0) + ")))"); return true;
    case D3DSIO_LIT: if (!need(1)) break; store("kLit(" + S(0) + ")"); return true;
    case D3DSIO_DST:
      if (!need(2)) break;
      store("vec4(1.0, (" + S(0) + ").y * (" + S(1) + ").y, (" + S(0) + ").z, (" + S(1) + ").w)");
      return true;
    case D3DSIO_LRP: if (!need(3)) break; store("mix(" + S(2) + ", " + S(1) + ", " + S(0) + ")"); return true;
    case D3DSIO_FRC: if (!need(1)) break; store("fract(" + S(0) + ")"); return true;
    case D3DSIO_POW:
      if (!need(2)) break;
      store("vec4(pow(abs(" + scalar(0) + "), " + scalar(1) + "))");
      return true;
    case D3DSIO_CRS:
      if (!need(2)) break;
      store("vec4(cross((" + S(0) + ").xyz, (" + S(1) + ").xyz), 0.0)");
      return true;
    case D3DSIO_SGN: if (!need(1)) break; store("sign(" + S(0) + ")"); return true;
    case D3DSIO_ABS: if (!need(1)) break; store("abs(" + S(0) + ")"); return true;
    case D3DSIO_NRM:
      if (!need(1)) break;
      store("(" + S(0) + ") * inversesqrt(dot((" + S(0) + ").xyz, (" + S(0) + ").xyz))");
      return true;
    case D3DSIO_SINCOS:
      if (!need(1)) break;
      store("vec4(cos(" + scalar(0) + "), sin(" + scalar(0) + "), 0.0, 0.0)");
      return true;
    default:
      return std::nullopt;
  }
  return TooFewOperands(in);
}

std::optional<bool> Translator::EmitMatrixProduct(const ShaderInstruction& in, const Operands& o) {
  auto need = [&](size_t count) { return o.sources.size() >= count; };
  auto S = [&](size_t i) { return Read(o.sources[i]); };
  auto store = [&](const std::string& v) { Store(o.destination, v, in.opcode); };
  switch (in.opcode) {
    case D3DSIO_M4x4:
    case D3DSIO_M4x3:
    case D3DSIO_M3x4:
    case D3DSIO_M3x3:
    case D3DSIO_M3x2: {
      if (!need(2)) break;
      bool four = in.opcode == D3DSIO_M4x4 || in.opcode == D3DSIO_M4x3;
      int rows = in.opcode == D3DSIO_M4x4 || in.opcode == D3DSIO_M3x4 ? 4
                 : in.opcode == D3DSIO_M3x2                          ? 2
                                                                     : 3;
      std::string v = "vec4(";
      for (int r = 0; r < 4; ++r) {
        if (r) v += ", ";
        if (r >= rows) {
          v += "0.0";
        } else if (four) {
          v += "dot(" + S(0) + ", " + RowOf(o.sources[1], r) + ")";
        } else {
          v += "dot((" + S(0) + ").xyz, (" + RowOf(o.sources[1], r) + ").xyz)";
        }
      }
      store(v + ")");
      return true;
    }
    default:
      return std::nullopt;
  }
  return TooFewOperands(in);
}

std::optional<bool> Translator::EmitSelectionOrDerivative(const ShaderInstruction& in, const Operands& o) {
  auto need = [&](size_t count) { return o.sources.size() >= count; };
  auto S = [&](size_t i) { return Read(o.sources[i]); };
  auto store = [&](const std::string& v) { Store(o.destination, v, in.opcode); };
  switch (in.opcode) {
    case D3DSIO_CND:
      if (!need(3)) break;
      store("mix(" + S(2) + ", " + S(1) + ", greaterThan(" + S(0) + ", vec4(0.5)))");
      return true;
    case D3DSIO_CMP:
      if (!need(3)) break;
      store("mix(" + S(2) + ", " + S(1) + ", greaterThanEqual(" + S(0) + ", vec4(0.0)))");
      return true;
    case D3DSIO_DP2ADD:
      if (!need(3)) break;
      store("vec4(dot((" + S(0) + ").xy, (" + S(1) + ").xy) + " + ReadScalar(o.sources[2], 'x') + ")");
      return true;
    case D3DSIO_DSX: if (!need(1)) break; store("dFdx(" + S(0) + ")"); return true;
    // Direct3D's dsy is taken with y growing down the window; GL's dFdy
    // follows the window's y, which grows downwards only with the origin at
    // the top.
    case D3DSIO_DSY:
      if (!need(1)) break;
      store((origin_ == WindowOrigin::Top ? "dFdy(" : "-dFdy(") + S(0) + ")");
      return true;
    default:
      return std::nullopt;
  }
  return TooFewOperands(in);
}

std::optional<bool> Translator::EmitTexturing(const ShaderInstruction& in, const Operands& o) {
  auto need = [&](size_t count) { return o.sources.size() >= count; };
  auto S = [&](size_t i) { return Read(o.sources[i]); };
  auto store = [&](const std::string& v) { Store(o.destination, v, in.opcode); };
  switch (in.opcode) {
    case D3DSIO_TEXKILL: {
      if (!o.hasDestination) break;
      std::string mask = MaskOf(o.destination);
      std::string name = RegisterName(o.destination, nullptr, true);
      std::string zeros = mask.size() == 1 ? "0.0" : "vec" + std::to_string(mask.size()) + "(0.0)";
      if (mask.size() == 1) Line("if (" + name + "." + mask + " < 0.0) discard;");
      else Line("if (any(lessThan(" + name + "." + mask + ", " + zeros + "))) discard;");
      return true;
    }
    case D3DSIO_TEX: {
      if (!o.hasDestination || !need(2)) break;
      const int unit = static_cast<int>(ParameterRegisterNumber(o.sources[1].token));
      const std::string coords = S(0);
      out_->samplers |= 1u << (unit & 31);
      std::string sampler = "s" + std::to_string(unit);
      if (in.controls & (D3DSI_TEXLD_PROJECT >> D3DSP_OPCODESPECIFICCONTROL_SHIFT))
        store("texture(" + sampler + ", (" + coords + ").xy / (" + coords + ").w)");
      else if (in.controls & (D3DSI_TEXLD_BIAS >> D3DSP_OPCODESPECIFICCONTROL_SHIFT))
        store("texture(" + sampler + ", (" + coords + ").xy, (" + coords + ").w)");
      else
        store("texture(" + sampler + ", (" + coords + ").xy)");
      return true;
    }
    default:
      return std::nullopt;
  }
  return TooFewOperands(in);
}

std::optional<bool> Translator::EmitFlowControl(const ShaderInstruction& in, const Operands& o) {
  auto need = [&](size_t count) { return o.sources.size() >= count; };
  switch (in.opcode) {
    case D3DSIO_REP: {
      if (!need(1)) break;
      std::string k = "kRep" + std::to_string(++loopCounter_);
      std::string count = "(" + RegisterName(o.sources[0].token, nullptr, true) + ").x";
      Line("for (int " + k + " = 0; " + k + " < min(" + count + ", " + std::to_string(kLoopLimit) + "); ++" + k +
           ") {");
      ++indent_;
      openBlocks_.push_back(1);
      return true;
    }
    case D3DSIO_LOOP: {
      if (!need(2)) break;
      std::string k = "kLoop" + std::to_string(++loopCounter_);
      std::string i = RegisterName(o.sources[1].token, nullptr, true);
      Line("{");
      Line("int aL = " + i + ".y;");
      Line("for (int " + k + " = 0; " + k + " < min(" + i + ".x, " + std::to_string(kLoopLimit) + "); ++" + k +
           ", aL += " + i + ".z) {");
      ++indent_;
      openBlocks_.push_back(2);
      return true;
    }
    case D3DSIO_ENDREP:
    case D3DSIO_ENDLOOP:
    case D3DSIO_ENDIF: {
      if (openBlocks_.empty()) return Fail("unbalanced block end");
      int braces = openBlocks_.back();
      openBlocks_.pop_back();
      --indent_;
      for (int b = 0; b < braces; ++b) Line("}");
      return true;
    }
    case D3DSIO_IF: {
      if (!need(1)) break;
      std::string b = RegisterName(o.sources[0].token, nullptr, true);
      bool negate = SourceModifier(o.sources[0].token) == D3DSPSM_NOT;
      Line(std::string("if (") + (negate ? "!" : "") + b + ") {");
      ++indent_;
      openBlocks_.push_back(1);
      return true;
    }
    case D3DSIO_IFC:
    case D3DSIO_BREAKC: {
      const char* op = Comparison(in.controls);
      if (!need(2) || !op) break;
      std::string test = ReadScalar(o.sources[0], 'x') + " " + op + " " + ReadScalar(o.sources[1], 'x');
      if (in.opcode == D3DSIO_BREAKC) {
        Line("if (" + test + ") break;");
        return true;
      }
      Line("if (" + test + ") {");
      ++indent_;
      openBlocks_.push_back(1);
      return true;
    }
    case D3DSIO_ELSE:
      if (openBlocks_.empty()) return Fail("else outside if");
      --indent_;
      Line("} else {");
      ++indent_;
      return true;
    case D3DSIO_BREAK:
      Line("break;");
      return true;
    default:
      return std::nullopt;
  }
  return TooFewOperands(in);
}

bool Translator::Emit(const ShaderInstruction& in) {
  Operands o = Split(in);
  NoteOperands(in, o);
  switch (in.opcode) {
    case D3DSIO_NOP:
    case D3DSIO_DCL:
    case D3DSIO_DEF:
    case D3DSIO_DEFI:
    case D3DSIO_DEFB:
    case D3DSIO_PHASE:
      return true;
    default:
      break;
  }
  for (auto group : {&Translator::EmitArithmetic, &Translator::EmitMatrixProduct,
                     &Translator::EmitSelectionOrDerivative, &Translator::EmitTexturing, &Translator::EmitFlowControl})
    if (std::optional<bool> emitted = (this->*group)(in, o)) return *emitted;
  return Fail("unsupported instruction " + std::to_string(in.opcode));
}

bool Translator::ReadsSwappedColour(int input) const {
  auto it = inputUsage_.find(input);
  return ColourInputSwizzle()[0] && it != inputUsage_.end() && DclUsage(it->second) == D3DDECLUSAGE_COLOR;
}

std::string Translator::Assemble() {
  std::string s = GlslHeader();
  if (!pixel_) {
    for (int v : inputs_) {
      std::string n = std::to_string(v);
      s += "layout(location = " + n + ") in vec4 " + (ReadsSwappedColour(v) ? "vk_in" : "v") + n + ";\n";
    }
    s += "out vec4 vk_D0;\nout vec4 vk_D1;\n";
    for (int t = 0; t < 8; ++t) s += "out vec4 vk_T" + std::to_string(t) + ";\n";
  } else {
    for (int v : inputs_) s += "in vec4 vk_D" + std::to_string(v) + ";\n";
    for (int t : textures_) s += "in vec4 vk_T" + std::to_string(t) + ";\n";
    s += "out vec4 vk_color;\nuniform float u_alphaRef;\n";
    for (int i = 0; i < 32; ++i)
      if (out_->samplers & (1u << i)) s += "uniform sampler2D s" + std::to_string(i) + ";\n";
  }
  if (out_->constantArraySize > 0)
    s += "uniform vec4 " + prefix_ + "[" + std::to_string(out_->constantArraySize) + "];\n";
  for (const auto& [n, v] : floatDefs_) s += "const vec4 k" + std::to_string(n) + " = " + Vec4(v.data()) + ";\n";
  for (int i : intRegs_) {
    auto it = intDefs_.find(i);
    std::array<int, 4> v = it == intDefs_.end() ? std::array<int, 4>{0, 0, 0, 0} : it->second;
    s += "const ivec4 i" + std::to_string(i) + " = ivec4(" + std::to_string(v[0]) + ", " + std::to_string(v[1]) +
         ", " + std::to_string(v[2]) + ", " + std::to_string(v[3]) + ");\n";
  }
  for (int b : boolRegs_) {
    auto it = boolDefs_.find(b);
    bool v = it != boolDefs_.end() && it->second;
    s += "const bool b" + std::to_string(b) + " = " + (v ? "true" : "false") + ";\n";
  }
  s +=
      "vec4 kLit(vec4 s) {\n"
      "  float d = max(s.x, 0.0);\n"
      "  float p = clamp(s.w, -127.9961, 127.9961);\n"
      "  float spec = (s.x > 0.0 && s.y > 0.0) ? pow(s.y, p) : 0.0;\n"
      "  return vec4(1.0, d, spec, 1.0);\n"
      "}\n";
  s += "void main() {\n";
  for (int r : temps_) s += "  vec4 r" + std::to_string(r) + " = vec4(0.0);\n";
  if (!pixel_) {
    for (int v : inputs_)
      if (ReadsSwappedColour(v))
        s += "  vec4 v" + std::to_string(v) + " = vk_in" + std::to_string(v) + ColourInputSwizzle() + ";\n";
    if (usesAddress_) s += "  ivec4 a0 = ivec4(0);\n";
    s += "  vec4 oPos = vec4(0.0, 0.0, 0.0, 1.0);\n  vec4 oFog = vec4(0.0);\n  vec4 oPts = vec4(0.0);\n";
    s += "  vec4 oD0 = vec4(1.0);\n  vec4 oD1 = vec4(0.0);\n";
    for (int t = 0; t < 8; ++t) s += "  vec4 oT" + std::to_string(t) + " = vec4(0.0, 0.0, 0.0, 1.0);\n";
  } else {
    for (int v : inputs_) s += "  vec4 v" + std::to_string(v) + " = vk_D" + std::to_string(v) + ";\n";
    for (int t : textures_) s += "  vec4 t" + std::to_string(t) + " = vk_T" + std::to_string(t) + ";\n";
    s += "  vec4 oC0 = vec4(0.0);\n  vec4 oC1 = vec4(0.0);\n  vec4 oC2 = vec4(0.0);\n  vec4 oC3 = vec4(0.0);\n";
    s += "  vec4 oDepth = vec4(gl_FragCoord.z);\n";
  }
  s += body_;
  if (!pixel_) {
    // Direct3D's clip depth runs from 0 to w, GL's from -w to w.
    s += "  gl_Position = vec4(oPos.xy, 2.0 * oPos.z - oPos.w, oPos.w);\n";
    s += "  vk_D0 = clamp(oD0, 0.0, 1.0);\n  vk_D1 = clamp(oD1, 0.0, 1.0);\n";
    for (int t = 0; t < 8; ++t) s += "  vk_T" + std::to_string(t) + " = oT" + std::to_string(t) + ";\n";
  } else {
    s += "  vec4 kResult = oC0;\n";
    s += std::string("  ") + kAlphaTestMark;
    s += "  vk_color = kResult;\n";
    if (writesDepth_) s += "  gl_FragDepth = clamp(oDepth.x, 0.0, 1.0);\n";
  }
  s += "}\n";
  return s;
}

bool Translator::Run() {
  out_->pixel = pixel_;
  if (major_ >= 3) return Fail("shader model 3 is not supported");
  if (major_ < 1) return Fail("bad version");
  // Our assembler writes pixel programs of model 2 only.
  if (pixel_ && major_ < 2) return Fail("pixel shader model 1 is not supported");
  for (const ShaderInstruction& in : parsed_.instructions) {
    if (!Declare(in)) return false;
  }
  for (const ShaderInstruction& in : parsed_.instructions) {
    if (in.opcode == D3DSIO_CALL || in.opcode == D3DSIO_CALLNZ || in.opcode == D3DSIO_LABEL ||
        in.opcode == D3DSIO_RET)
      return Fail("subroutines are not supported");
    if (in.opcode == D3DSIO_SETP || in.opcode == D3DSIO_BREAKP) return Fail("predicates are not supported");
    if (!Emit(in)) return false;
  }
  if (!openBlocks_.empty()) return Fail("unclosed block");
  if (!pixel_) {
    for (int v : inputs_) {
      auto it = inputUsage_.find(v);
      if (it == inputUsage_.end()) continue;
      out_->inputs.push_back(ShaderInput{v, DclUsage(it->second), DclUsageIndex(it->second)});
    }
  }
  if (out_->relativeAddressing) {
    out_->constantArraySize = kRelativeArraySize;
    for (const auto& [n, v] : floatDefs_) out_->definedConstants.push_back({n, v});
    for (int c = 0; c < kRelativeArraySize; ++c)
      if (!floatDefs_.count(c)) out_->constants.push_back(c);
  } else {
    out_->constants.assign(constantsRead_.begin(), constantsRead_.end());
    out_->constantArraySize = constantsRead_.empty() ? 0 : *constantsRead_.rbegin() + 1;
  }
  for (int c : out_->constants)
    if (c >= kRelativeArraySize) return Fail("constant register out of range");
  out_->source = Assemble();
  return true;
}

}  // namespace

bool TranslateShader(const ParsedShader& parsed, WindowOrigin origin, TranslatedShader* out) {
  *out = TranslatedShader{};
  Translator translator(parsed, origin, out);
  return translator.Run();
}

std::string AlphaTestCode(DWORD alphaFunc, const char* colour) {
  const char* op = nullptr;
  switch (alphaFunc) {
    case 0:
    case D3DCMP_ALWAYS: return "";
    case D3DCMP_NEVER: return "discard;\n";
    case D3DCMP_LESS: op = "<"; break;
    case D3DCMP_EQUAL: op = "=="; break;
    case D3DCMP_LESSEQUAL: op = "<="; break;
    case D3DCMP_GREATER: op = ">"; break;
    case D3DCMP_NOTEQUAL: op = "!="; break;
    case D3DCMP_GREATEREQUAL: op = ">="; break;
    default: return "";
  }
  // Direct3D compares the 8-bit alpha with the 8-bit reference.
  return std::string("if (!(floor(clamp(") + colour + ".a, 0.0, 1.0) * 255.0 + 0.5) " + op +
         " u_alphaRef)) discard;\n";
}

std::string WithAlphaTest(const std::string& source, DWORD alphaFunc, const char* colour) {
  std::string result = source;
  size_t at = result.find(kAlphaTestMark);
  if (at != std::string::npos) result.replace(at, std::strlen(kAlphaTestMark), AlphaTestCode(alphaFunc, colour));
  return result;
}

}  // namespace d3d9
