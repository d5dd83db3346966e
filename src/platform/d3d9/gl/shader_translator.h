#pragma once
// Direct3D 9 shader bytecode to GLSL 330. Constant registers become uniform
// arrays (vc[] for vertex shaders, pc[] for pixel shaders) and def constants
// GLSL constants; vertex inputs take the attribute location of their register
// number; the stages meet through the varyings vk_D0, vk_D1 and vk_T0..vk_T7,
// which the fixed-function programs use too.
#include <array>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9types.h"
#include "platform/d3d9/shader_bytecode.h"

namespace d3d9 {

struct ShaderInput {
  int location;
  DWORD usage;
  DWORD usageIndex;
};

struct TranslatedShader {
  bool pixel = false;
  // The whole program; a pixel program holds the mark kAlphaTestMark where
  // the alpha test goes (see WithAlphaTest).
  std::string source;
  std::vector<ShaderInput> inputs;  // vertex shaders: the declared inputs
  std::vector<int> constants;       // float registers read from the uniform array, ascending
  int constantArraySize = 0;        // declared size of the uniform array (0: none)
  // def constants, also loaded into the uniform array when it is indexed
  // relatively (so an indexed read sees them as Direct3D does).
  std::vector<std::pair<int, std::array<float, 4>>> definedConstants;
  bool relativeAddressing = false;
  unsigned samplers = 0;  // bit per sampler register used
  std::string error;
};

constexpr const char* kAlphaTestMark = "//@alphatest\n";

// Where the GL window's origin lies: at the bottom by default, at the top once
// clip control has turned the image upside down (Direct3D's convention).
enum class WindowOrigin { Bottom, Top };

// False (with `error` set) for programs that use what the translator does not
// support: subroutines, predicates, pixel shader model 1, shader model 3.
bool TranslateShader(const ParsedShader& parsed, WindowOrigin origin, TranslatedShader* out);

// GLSL that discards the fragment whose `colour`'s alpha fails the test
// (alphaFunc a D3DCMP value; 0 means no test). Reads the uniform u_alphaRef
// (0..255).
std::string AlphaTestCode(DWORD alphaFunc, const char* colour);

// A pixel program's source with its alpha test filled in.
std::string WithAlphaTest(const std::string& source, DWORD alphaFunc, const char* colour);

}  // namespace d3d9
