// The bytecode reader and the GLSL translator on any token stream: the input's
// bytes are the tokens, as a vertex and as a pixel shader.
#include <cstring>
#include <vector>

#include "platform/d3d9/gl/shader_translator.h"
#include "platform/d3d9/shader_bytecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<DWORD> tokens(size / sizeof(DWORD));
  if (tokens.empty()) return 0;
  std::memcpy(tokens.data(), data, tokens.size() * sizeof(DWORD));
  for (bool pixel : {false, true}) {
    d3d9::ParsedShader parsed;
    if (!d3d9::ParseShaderFunction(tokens.data(), tokens.size(), pixel, &parsed)) continue;
    if (parsed.tokens.size() > tokens.size()) __builtin_trap();
    d3d9::TranslatedShader translated;
    if (d3d9::TranslateShader(parsed, d3d9::WindowOrigin::Bottom, &translated)) {
      if (translated.source.empty()) __builtin_trap();
      if (pixel) d3d9::WithAlphaTest(translated.source, 5 /* D3DCMP_GREATER */, "kResult");
    } else if (translated.error.empty()) {
      __builtin_trap();
    }
  }
  return 0;
}
