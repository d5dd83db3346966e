#include "platform/d3d9/gl/fixed_function.h"

#include "platform/d3d9/gl/gl_api.h"

namespace d3d9 {
namespace {

// Bytes of one stage in the pixel key.
enum StageByte { kColorOp, kColorArg1, kColorArg2, kAlphaOp, kAlphaArg1, kAlphaArg2, kTexcoord, kTextured, kStageBytes };

std::string Argument(DWORD arg, int stage, bool textured) {
  std::string v;
  switch (arg & D3DTA_SELECTMASK) {
    case D3DTA_DIFFUSE: v = "diffuse"; break;
    case D3DTA_CURRENT: v = "current"; break;
    case D3DTA_TEXTURE: v = textured ? "tex" + std::to_string(stage) : "current"; break;
    case D3DTA_TFACTOR: v = "u_tfactor"; break;
    case D3DTA_SPECULAR: v = "specular"; break;
    default: v = "current"; break;
  }
  if (arg & D3DTA_ALPHAREPLICATE) v = "vec4((" + v + ").a)";
  if (arg & D3DTA_COMPLEMENT) v = "(vec4(1.0) - " + v + ")";
  return v;
}

bool ReadsTexture(DWORD arg) { return (arg & D3DTA_SELECTMASK) == D3DTA_TEXTURE; }

// As Direct3D does, an operation that needs the texture of a stage without
// one passes the current value on instead.
bool NeedsMissingTexture(DWORD op, DWORD arg1, DWORD arg2, bool textured) {
  if (textured || op == D3DTOP_DISABLE) return false;
  return (ReadsTexture(arg1) && op != D3DTOP_SELECTARG2) || (ReadsTexture(arg2) && op != D3DTOP_SELECTARG1);
}

std::string Operation(DWORD op, const std::string& a1, const std::string& a2) {
  switch (op) {
    case D3DTOP_SELECTARG1: return a1;
    case D3DTOP_SELECTARG2: return a2;
    case D3DTOP_MODULATE2X: return "clamp(2.0 * " + a1 + " * " + a2 + ", 0.0, 1.0)";
    case D3DTOP_MODULATE4X: return "clamp(4.0 * " + a1 + " * " + a2 + ", 0.0, 1.0)";
    case D3DTOP_ADD: return "clamp(" + a1 + " + " + a2 + ", 0.0, 1.0)";
    default: return a1 + " * " + a2;
  }
}

}  // namespace

std::vector<ShaderInput> FixedVertexInputs() {
  std::vector<ShaderInput> inputs{{kFixedPosition, D3DDECLUSAGE_POSITION, 0},
                                  {kFixedNormal, D3DDECLUSAGE_NORMAL, 0},
                                  {kFixedDiffuse, D3DDECLUSAGE_COLOR, 0},
                                  {kFixedSpecular, D3DDECLUSAGE_COLOR, 1}};
  for (int i = 0; i < 8; ++i) inputs.push_back({kFixedTexcoord0 + i, D3DDECLUSAGE_TEXCOORD, DWORD(i)});
  return inputs;
}

std::string FixedVertexSource(const FixedVertexKey& key) {
  std::string s = GlslHeader();
  s +=
      "layout(location = 0) in vec4 a_position;\n"
      "layout(location = 2) in vec4 a_diffuse;\n"
      "layout(location = 3) in vec4 a_specular;\n";
  for (int i = 0; i < 8; ++i)
    s += "layout(location = " + std::to_string(kFixedTexcoord0 + i) + ") in vec4 a_tex" + std::to_string(i) + ";\n";
  s +=
      "uniform mat4 u_wvp;\n"
      "uniform vec2 u_viewport;\n"
      "out vec4 vk_D0;\nout vec4 vk_D1;\n";
  for (int i = 0; i < 8; ++i) s += "out vec4 vk_T" + std::to_string(i) + ";\n";
  s += "void main() {\n";
  if (key.transformed) {
    s +=
        "  float w = a_position.w != 0.0 ? 1.0 / a_position.w : 1.0;\n"
        "  vec2 ndc = vec2(2.0 * a_position.x / u_viewport.x - 1.0, 1.0 - 2.0 * a_position.y / u_viewport.y);\n"
        "  gl_Position = vec4(ndc * w, (2.0 * a_position.z - 1.0) * w, w);\n";
  } else {
    // Direct3D's clip depth runs from 0 to w, GL's from -w to w.
    s +=
        "  vec4 p = u_wvp * vec4(a_position.xyz, 1.0);\n"
        "  gl_Position = vec4(p.xy, 2.0 * p.z - p.w, p.w);\n";
  }
  const std::string swizzle = ColourInputSwizzle();
  s += key.lighting ? "  vk_D0 = vec4(0.0, 0.0, 0.0, a_diffuse.a);\n" : "  vk_D0 = a_diffuse" + swizzle + ";\n";
  s += "  vk_D1 = a_specular" + swizzle + ";\n";
  for (int i = 0; i < 8; ++i) s += "  vk_T" + std::to_string(i) + " = a_tex" + std::to_string(i) + ";\n";
  s += "}\n";
  return s;
}

std::string FixedPixelKey(const DeviceState& state) {
  std::string key;
  for (UINT stage = 0; stage < kMaxStages; ++stage) {
    const auto& s = state.stageStates[stage];
    if (s[D3DTSS_COLOROP] == D3DTOP_DISABLE) break;
    char bytes[kStageBytes];
    bytes[kColorOp] = char(s[D3DTSS_COLOROP]);
    bytes[kColorArg1] = char(s[D3DTSS_COLORARG1]);
    bytes[kColorArg2] = char(s[D3DTSS_COLORARG2]);
    bytes[kAlphaOp] = char(s[D3DTSS_ALPHAOP]);
    bytes[kAlphaArg1] = char(s[D3DTSS_ALPHAARG1]);
    bytes[kAlphaArg2] = char(s[D3DTSS_ALPHAARG2]);
    bytes[kTexcoord] = char(s[D3DTSS_TEXCOORDINDEX] & 7);
    bytes[kTextured] = state.textures[stage] != nullptr;
    key.append(bytes, kStageBytes);
  }
  return key;
}

int FixedStageCount(const std::string& key) { return static_cast<int>(key.size() / kStageBytes); }

std::string FixedPixelSource(const std::string& key, DWORD alphaFunc) {
  int stages = FixedStageCount(key);
  std::string s = std::string(GlslHeader()) + "in vec4 vk_D0;\nin vec4 vk_D1;\n";
  for (int i = 0; i < 8; ++i) s += "in vec4 vk_T" + std::to_string(i) + ";\n";
  for (int i = 0; i < stages; ++i) s += "uniform sampler2D u_tex" + std::to_string(i) + ";\n";
  s +=
      "uniform vec4 u_tfactor;\n"
      "uniform float u_alphaRef;\n"
      "out vec4 vk_color;\n"
      "void main() {\n"
      "  vec4 diffuse = vk_D0;\n"
      "  vec4 specular = vk_D1;\n"
      "  vec4 current = diffuse;\n";
  for (int i = 0; i < stages; ++i) {
    const unsigned char* b = reinterpret_cast<const unsigned char*>(key.data()) + i * kStageBytes;
    bool textured = b[kTextured] != 0;
    std::string n = std::to_string(i);
    if (textured) s += "  vec4 tex" + n + " = texture(u_tex" + n + ", vk_T" + std::to_string(b[kTexcoord]) + ".xy);\n";
    std::string colour = NeedsMissingTexture(b[kColorOp], b[kColorArg1], b[kColorArg2], textured)
                             ? std::string("current")
                             : Operation(b[kColorOp], Argument(b[kColorArg1], i, textured),
                                         Argument(b[kColorArg2], i, textured));
    // Alpha cannot be switched off while colour runs: DISABLE keeps the current alpha.
    std::string alpha = b[kAlphaOp] == D3DTOP_DISABLE ||
                                NeedsMissingTexture(b[kAlphaOp], b[kAlphaArg1], b[kAlphaArg2], textured)
                            ? std::string("current")
                            : Operation(b[kAlphaOp], Argument(b[kAlphaArg1], i, textured),
                                        Argument(b[kAlphaArg2], i, textured));
    s += "  current = vec4((" + colour + ").rgb, (" + alpha + ").a);\n";
  }
  s += "  " + AlphaTestCode(alphaFunc, "current");
  s += "  vk_color = current;\n}\n";
  return s;
}

}  // namespace d3d9
