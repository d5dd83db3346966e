// The shader assembler on any text (shader programs and fragments are read
// as text); what it assembles is read back as bytecode and translated to
// GLSL as the OpenGL device does when the shader is created. With
// KESTRIN_BYTECODE_OUT set to a folder, the bytecode of every input that
// assembles is written there (fuzz/run seeds the token target with it).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "d3dutil/shader_assembler.h"
#include "platform/d3d9/gl/shader_translator.h"
#include "platform/d3d9/shader_bytecode.h"

namespace {

void WriteBytecode(const std::vector<uint32_t>& bytecode) {
  const char* folder = std::getenv("KESTRIN_BYTECODE_OUT");
  if (!folder) return;
  uint64_t hash = 14695981039346656037ull;
  for (uint32_t token : bytecode) hash = (hash ^ token) * 1099511628211ull;
  char path[4096];
  std::snprintf(path, sizeof path, "%s/seed_%016llx.bin", folder, static_cast<unsigned long long>(hash));
  if (FILE* file = std::fopen(path, "wb")) {
    std::fwrite(bytecode.data(), sizeof(uint32_t), bytecode.size(), file);
    std::fclose(file);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint32_t> bytecode;
  std::string errors;
  HRESULT result = D3DXAssembleShader(reinterpret_cast<const char*>(data), static_cast<unsigned>(size), &bytecode,
                                      &errors);
  if (FAILED(result)) {
    if (!bytecode.empty() || errors.empty()) __builtin_trap();
    return 0;
  }
  if (bytecode.empty() || bytecode.back() != 0x0000FFFF) __builtin_trap();
  WriteBytecode(bytecode);
  for (bool pixel : {false, true}) {
    d3d9::ParsedShader parsed;
    if (!d3d9::ParseShaderFunction(bytecode.data(), bytecode.size(), pixel, &parsed)) continue;
    d3d9::TranslatedShader translated;
    if (d3d9::TranslateShader(parsed, d3d9::WindowOrigin::Bottom, &translated) && pixel)
      d3d9::WithAlphaTest(translated.source, 5 /* D3DCMP_GREATER */, "kResult");
  }
  return 0;
}
