#include "d3dutil/shader_assembler.h"

#include <cstring>

#include "d3dutil/shader_encoder.h"
#include "d3dutil/shader_text.h"
#include "platform/files.h"

namespace {

using namespace shasm;

// Beyond this many faults the rest would only repeat the cause.
constexpr size_t kMaxMessages = 50;
// Shader files are a few kilobytes; anything near this is not a shader.
constexpr long kMaxFileSize = 4 << 20;

struct Report {
  std::string prefix;
  std::vector<Diagnostic> diagnostics;

  void Add(int line, const std::string& message) { diagnostics.push_back({line, message}); }

  std::string Text() const {
    std::string text;
    for (size_t i = 0; i < diagnostics.size() && i < kMaxMessages; ++i) {
      if (!text.empty()) text += '\n';
      text += prefix + "(line " + std::to_string(diagnostics[i].line) + "): " + diagnostics[i].message;
    }
    if (diagnostics.size() > kMaxMessages)
      text += "\n" + (prefix.empty() ? "" : prefix + ": ") + std::to_string(diagnostics.size() - kMaxMessages) +
              " more errors";
    return text;
  }
};

// The first statement names the version; false when it does not.
bool BeginWithVersion(Encoder& encoder, const SourceLine& line, const Statement& statement, Report& report) {
  const ShaderVersion* version = FindShaderVersion(statement.mnemonic);
  if (!version) {
    report.Add(line.number, LooksLikeShaderVersion(statement.mnemonic)
                                ? "shader version '" + Quote(statement.mnemonic) +
                                      "' is not supported (vs_1_1, vs_2_0 and ps_2_0 are)"
                                : "shader version expected (vs_1_1, vs_2_0 or ps_2_0), found '" +
                                      Quote(statement.mnemonic) + "'");
    return false;
  }
  BeginProgram(encoder, *version);
  if (!statement.operands.empty()) report.Add(line.number, "unexpected operands after the shader version");
  return true;
}

void AssembleLines(const std::vector<SourceLine>& lines, Encoder& encoder, Report& report) {
  for (const SourceLine& line : lines) {
    if (line.text.empty()) continue;
    Statement statement;
    std::string error;
    if (!ParseStatement(line.text, &statement, &error)) {
      report.Add(line.number, error);
      if (!encoder.version) return;
      continue;
    }
    if (!encoder.version) {
      if (!BeginWithVersion(encoder, line, statement, report)) return;
      continue;
    }
    encoder.line = line.number;
    if (!EncodeStatement(encoder, statement, &error)) report.Add(line.number, error);
  }
  if (!encoder.version) report.Add(lines.empty() ? 1 : lines.back().number, "the program has no shader version");
}

HRESULT Assemble(std::string_view source, const std::string& prefix, std::vector<uint32_t>* bytecode,
                 std::string* errors) {
  Report report{prefix, {}};
  std::vector<SourceLine> lines;
  int commentLine = 0;
  Encoder encoder;
  if (!SplitSourceLines(source, &lines, &commentLine)) {
    report.Add(commentLine, "comment '/*' is never closed");
  } else {
    AssembleLines(lines, encoder, report);
    if (encoder.version)
      for (Diagnostic& diagnostic : FinishProgram(encoder)) report.diagnostics.push_back(std::move(diagnostic));
  }
  if (!report.diagnostics.empty()) {
    if (errors) *errors = report.Text();
    return D3DERR_INVALIDCALL;
  }
  *bytecode = std::move(encoder.tokens);
  return D3D_OK;
}

bool ReadShaderFile(const char* path, std::string* text) {
  FILE* file = OpenFile(path, "rb");
  if (!file) return false;
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  long size = ok ? std::ftell(file) : -1;
  ok = ok && size >= 0 && size <= kMaxFileSize && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    text->resize(static_cast<size_t>(size));
    ok = std::fread(text->data(), 1, text->size(), file) == text->size();
  }
  std::fclose(file);
  return ok;
}

}  // namespace

HRESULT D3DXAssembleShader(const char* text, unsigned length, std::vector<uint32_t>* bytecode,
                           std::string* errors) {
  if (errors) errors->clear();
  if (bytecode) bytecode->clear();
  if (!text || !bytecode) return D3DERR_INVALIDCALL;
  return Assemble(std::string_view(text, strnlen(text, length)), "", bytecode, errors);
}

HRESULT D3DXAssembleShaderFromFileA(const char* path, std::vector<uint32_t>* bytecode, std::string* errors) {
  if (errors) errors->clear();
  if (bytecode) bytecode->clear();
  if (!path || !bytecode) return D3DERR_INVALIDCALL;
  std::string text;
  if (!ReadShaderFile(path, &text)) {
    if (errors) *errors = std::string(path) + ": cannot read the file";
    return E_FAIL;
  }
  return Assemble(std::string_view(text.data(), strnlen(text.data(), text.size())), path, bytecode, errors);
}
