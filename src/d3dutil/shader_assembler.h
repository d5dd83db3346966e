#pragma once
// D3DXAssembleShader: Direct3D 9 shader assembly text (vs_1_1, vs_2_0,
// ps_2_0) to shader bytecode in Direct3D's token format.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9types.h"

// Assembles `length` bytes of `text` (a NUL ends the text early). On success
// `bytecode` holds the tokens, end token included, and D3D_OK is returned. On
// failure `bytecode` is empty, `errors` (when given) holds one line per fault,
// "(line N): what is wrong", and D3DERR_INVALIDCALL is returned.
HRESULT D3DXAssembleShader(const char* text, unsigned length, std::vector<uint32_t>* bytecode,
                           std::string* errors);

// The same for a file; the path may use backslashes. Messages start with the
// path. A file that cannot be read fails with E_FAIL.
HRESULT D3DXAssembleShaderFromFileA(const char* path, std::vector<uint32_t>* bytecode, std::string* errors);
