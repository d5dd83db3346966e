#include "platform/d3d9/gl/gl_device.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/d3d9/gl/fixed_function.h"
#include "platform/d3d9/gl/gl_depth_scan.h"
#include "platform/d3d9/shader_bytecode.h"

namespace d3d9 {
namespace {

// Few draws come from memory (none in a round): a small buffer, replaced
// when full, keeps the two a driver may hold at once small.
constexpr size_t kInitialStreamCapacity = 512 << 10;
constexpr uint64_t kFixedVertexPart = 1ull << 63;

uint64_t nextShaderSerial = 1;
size_t drawStatesMet = 0;
size_t vertexArraysHeld = 0;

GLenum GlBlend(DWORD blend) {
  switch (blend) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ONE;
  }
}

GLenum GlBlendOp(DWORD op) {
  switch (op) {
    case D3DBLENDOP_SUBTRACT: return GL_FUNC_SUBTRACT;
    case D3DBLENDOP_REVSUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
    case D3DBLENDOP_MIN: return GL_MIN;
    case D3DBLENDOP_MAX: return GL_MAX;
    default: return GL_FUNC_ADD;
  }
}

// D3DCMP_NEVER..ALWAYS are 1..8 in the same order as GL_NEVER..GL_ALWAYS.
GLenum GlCompare(DWORD func) { return func >= 1 && func <= 8 ? GL_NEVER + (func - 1) : GL_LEQUAL; }

GLenum GlAddress(DWORD address) {
  switch (address) {
    case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER: return GlClampToBorder;
    case D3DTADDRESS_MIRRORONCE: return GL_MIRRORED_REPEAT;
    default: return GL_REPEAT;
  }
}

GLenum GlPrimitive(D3DPRIMITIVETYPE type) {
  switch (type) {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
  }
  return GL_TRIANGLES;
}

struct AttributeFormat {
  GLint size;
  GLenum type;
  GLboolean normalised;
};

bool FormatOf(BYTE type, AttributeFormat* format) {
  switch (type) {
    case D3DDECLTYPE_FLOAT1: *format = {1, GL_FLOAT, GL_FALSE}; return true;
    case D3DDECLTYPE_FLOAT2: *format = {2, GL_FLOAT, GL_FALSE}; return true;
    case D3DDECLTYPE_FLOAT3: *format = {3, GL_FLOAT, GL_FALSE}; return true;
    case D3DDECLTYPE_FLOAT4: *format = {4, GL_FLOAT, GL_FALSE}; return true;
    // Bytes B, G, R, A in memory; GL_BGRA swaps them back to red first, in ES the shader does.
    case D3DDECLTYPE_D3DCOLOR: *format = {GlColourAttributeSize, GL_UNSIGNED_BYTE, GL_TRUE}; return true;
    case D3DDECLTYPE_UBYTE4: *format = {4, GL_UNSIGNED_BYTE, GL_FALSE}; return true;
    case D3DDECLTYPE_UBYTE4N: *format = {4, GL_UNSIGNED_BYTE, GL_TRUE}; return true;
    case D3DDECLTYPE_SHORT2: *format = {2, GL_SHORT, GL_FALSE}; return true;
    case D3DDECLTYPE_SHORT4: *format = {4, GL_SHORT, GL_FALSE}; return true;
    default: return false;
  }
}

std::vector<D3DVERTEXELEMENT9> ElementsOfFvf(DWORD fvf) {
  FvfLayout layout = LayoutOfFvf(fvf);
  std::vector<D3DVERTEXELEMENT9> elements;
  auto add = [&](int offset, BYTE type, DWORD usage, BYTE index) {
    if (offset >= 0) elements.push_back({0, WORD(offset), type, D3DDECLMETHOD_DEFAULT, BYTE(usage), index});
  };
  add(layout.position, layout.transformed ? D3DDECLTYPE_FLOAT4 : D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_POSITION, 0);
  add(layout.normal, D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_NORMAL, 0);
  add(layout.diffuse, D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_COLOR, 0);
  add(layout.specular, D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_COLOR, 1);
  for (int i = 0; i < layout.texcoordCount; ++i) {
    UINT sizeBits = (fvf >> (16 + 2 * i)) & 3;
    static const BYTE kTypes[4] = {D3DDECLTYPE_FLOAT2, D3DDECLTYPE_FLOAT3, D3DDECLTYPE_FLOAT4, D3DDECLTYPE_FLOAT1};
    add(layout.texcoord[i], kTypes[sizeBits], D3DDECLUSAGE_TEXCOORD, BYTE(i));
  }
  return elements;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
  return r;
}

template <class T>
void Rebind(T*& slot, T* object) {
  if (object) object->AddRef();
  if (slot) slot->Release();
  slot = object;
}

// Uploads the registers written after `synced`, in runs of neighbouring
// registers with neighbouring locations.
void UploadChanged(const std::vector<int>& registers, const std::vector<GLint>& locations,
                   const std::array<uint64_t, kFloatConstants>& stamps, uint64_t synced,
                   const std::array<std::array<float, 4>, kFloatConstants>& values) {
  size_t count = registers.size();
  for (size_t i = 0; i < count;) {
    if (stamps[registers[i]] <= synced || locations[i] < 0) {
      ++i;
      continue;
    }
    size_t end = i + 1;
    while (end < count && stamps[registers[end]] > synced && registers[end] == registers[end - 1] + 1 &&
           locations[end] == locations[end - 1] + 1)
      ++end;
    glUniform4fv(locations[i], static_cast<GLsizei>(end - i), values[registers[i]].data());
    i = end;
  }
}

// A colour texture stored in Mesa as BGRA, the layout of the window's own
// buffer, so that presenting it is a copy (WebGL 2 has RGBA only).
GLuint CreateColourTexture(int width, int height) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  if (GlEs) glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  else glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GlColourAttributeSize, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glBindTexture(GL_TEXTURE_2D, 0);
  return texture;
}

}  // namespace

GlDevice::GlDevice(HWND window, GlContext context, const D3DPRESENT_PARAMETERS& parameters,
                   const GlCaps& caps, const D3DCAPS9& d3dCaps)
    : window_(window), context_(std::make_shared<GlContextLife>()), parameters_(parameters), glCaps_(caps),
      caps_(d3dCaps) {
  context_->context = context;
  state_.Reset(parameters);
  ready_ = MakeContextObjects();
  // The back buffer's size may have come from the window.
  state_.scissorRect = RECT{0, 0, width_, height_};
}

// The device's own objects, and the GL state its Direct3D state stands for.
bool GlDevice::MakeContextObjects() {
  if (!CreateBackBuffer()) return false;
  glGenBuffers(1, &streamBuffer_);
  streamCapacity_ = kInitialStreamCapacity;
  streamPosition_ = 0;
  glBindBuffer(GL_ARRAY_BUFFER, streamBuffer_);
  glBufferData(GL_ARRAY_BUFFER, streamCapacity_, nullptr, GL_STREAM_DRAW);
  glGenSamplers(kMaxSamplers, samplers_);
  for (UINT i = 0; i < kMaxSamplers; ++i) glBindSampler(i, samplers_[i]);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  ApplyInitialState();
  return glGetError() == GL_NO_ERROR;
}

HRESULT GlDevice::TestCooperativeLevel() {
  switch (GlContextStatus()) {
    case GlContextState::Lost: return D3DERR_DEVICELOST;
    case GlContextState::BackEmpty: return D3DERR_DEVICENOTRESET;
    default: return D3D_OK;
  }
}

// The context came back without a single object: the device makes its own
// again, every resource its own when next used (their generation is past),
// and the programs are linked anew as draws ask for them.
HRESULT GlDevice::Reset(D3DPRESENT_PARAMETERS*) {
  HRESULT level = TestCooperativeLevel();
  if (level != D3DERR_DEVICENOTRESET) return level;
  ++context_->generation;
  programs_.clear();
  fixedVertexParts_.clear();
  fixedPixelParts_.clear();
  program_ = nullptr;
  programDirty_ = true;
  vertexInput_ = VertexInputKey{};
  vertexArraysHeld -= vertexArrays_.size();
  vertexArrays_.clear();
  context_->releasedBuffers.clear();
  frameBuffer_ = colourBuffer_ = colourTexture_ = depthBuffer_ = resolveFrameBuffer_ = resolveColour_ = 0;
  keptFrameBuffer_ = keptColourBuffer_ = keptColourTexture_ = keptDepthBuffer_ = 0;
  kept_ = KeptFrameLedger{};
  keepingFailed_ = false;
  // The errors the lost context's last calls left are not the reset's.
  for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {}
  if (!MakeContextObjects()) return D3DERR_DEVICELOST;
  for (DWORD stage = 0; stage < kMaxSamplers; ++stage) BindTexture(stage);
  GlContextRefilled();
  return D3D_OK;
}

GlDevice::~GlDevice() {
  vertexArraysHeld -= vertexArrays_.size();
  for (Texture*& texture : state_.textures) Rebind(texture, static_cast<Texture*>(nullptr));
  Rebind(state_.vertexShader, static_cast<VertexShader*>(nullptr));
  Rebind(state_.pixelShader, static_cast<PixelShader*>(nullptr));
  Rebind(state_.declaration, static_cast<VertexDeclaration*>(nullptr));
  Rebind(state_.stream, static_cast<VertexBuffer*>(nullptr));
  if (context_->Current()) {
    for (auto& [key, program] : programs_)
      if (program->program) glDeleteProgram(program->program);
    for (auto& [key, shader] : fixedVertexParts_)
      if (shader) glDeleteShader(shader);
    for (auto& [key, shader] : fixedPixelParts_)
      if (shader) glDeleteShader(shader);
    glDeleteSamplers(kMaxSamplers, samplers_);
    glDeleteBuffers(1, &streamBuffer_);
    for (auto& [layout, name] : vertexArrays_) glDeleteVertexArrays(1, &name);
    glDeleteFramebuffers(1, &frameBuffer_);
    glDeleteFramebuffers(1, &resolveFrameBuffer_);
    glDeleteRenderbuffers(1, &colourBuffer_);
    glDeleteTextures(1, &colourTexture_);
    glDeleteRenderbuffers(1, &depthBuffer_);
    glDeleteTextures(1, &resolveColour_);
    glDeleteFramebuffers(1, &keptFrameBuffer_);
    glDeleteRenderbuffers(1, &keptColourBuffer_);
    glDeleteTextures(1, &keptColourTexture_);
    glDeleteRenderbuffers(1, &keptDepthBuffer_);
    MakeGlContextCurrent(window_, nullptr);
  }
  DeleteGlContext(window_, context_->context);
  context_->alive = false;
}

bool GlDevice::CreateBackBuffer() {
  width_ = static_cast<int>(parameters_.BackBufferWidth);
  height_ = static_cast<int>(parameters_.BackBufferHeight);
  if (width_ <= 0 || height_ <= 0) GetGlDrawableSize(window_, &width_, &height_);
  if (width_ <= 0 || height_ <= 0 || width_ > glCaps_.maxTextureSize || height_ > glCaps_.maxTextureSize)
    return false;
  samples_ = parameters_.MultiSampleType >= D3DMULTISAMPLE_2_SAMPLES ? int(parameters_.MultiSampleType) : 0;
  if (samples_ > glCaps_.maxSamples) return false;
  // Direct3D's top row first: the window's buffer has the same orientation
  // in Mesa, so presenting needs no flip.
  topRowFirst_ = KeepImageTopRowFirst();
  glGenFramebuffers(1, &frameBuffer_);
  if (!AttachFrameStorage(frameBuffer_, &colourBuffer_, &colourTexture_, &depthBuffer_)) return false;
  if (samples_) {
    glGenFramebuffers(1, &resolveFrameBuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, resolveFrameBuffer_);
    resolveColour_ = CreateColourTexture(width_, height_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, resolveColour_, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return false;
    SetGlMultisampling(true);
  }
  glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
  glViewport(0, 0, width_, height_);
  glClearColor(0, 0, 0, 1);
  SetGlClearDepth(1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  return true;
}

// Colour (and depth, when the device has it) of the back buffer's size and
// formats, attached to `frameBuffer`, which is left bound.
bool GlDevice::AttachFrameStorage(GLuint frameBuffer, GLuint* colourBuffer, GLuint* colourTexture,
                                  GLuint* depthBuffer) {
  auto storage = [&](GLenum format) {
    if (samples_)
      glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples_, format, width_, height_);
    else
      glRenderbufferStorage(GL_RENDERBUFFER, format, width_, height_);
  };
  glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer);
  if (samples_) {
    glGenRenderbuffers(1, colourBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, *colourBuffer);
    storage(GL_RGBA8);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, *colourBuffer);
  } else {
    *colourTexture = CreateColourTexture(width_, height_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, *colourTexture, 0);
  }
  if (parameters_.EnableAutoDepthStencil) {
    glGenRenderbuffers(1, depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, *depthBuffer);
    storage(GL_DEPTH24_STENCIL8);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, *depthBuffer);
  }
  return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void GlDevice::ApplyInitialState() {
  glFrontFace(GL_CCW);
  glStencilFunc(GL_ALWAYS, 0, 0);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
  glStencilMask(0);
  for (DWORD rs : {D3DRS_ZENABLE, D3DRS_ZWRITEENABLE, D3DRS_ZFUNC, D3DRS_ALPHABLENDENABLE, D3DRS_CULLMODE,
                   D3DRS_FILLMODE})
    ApplyRenderState(D3DRENDERSTATETYPE(rs));
  ApplyScissor();
  ApplyBlend();
  for (UINT i = 0; i < kMaxSamplers; ++i) ApplySampler(i);
}

// A rectangle in Direct3D's rows, top first, whichever way GL lays them out.
void GlDevice::ScissorGl(int left, int top, int right, int bottom) {
  glScissor(left, topRowFirst_ ? top : height_ - bottom, std::max(0, right - left), std::max(0, bottom - top));
}

void GlDevice::ApplyScissor() {
  const RECT& r = state_.scissorRect;
  ScissorGl(r.left, r.top, r.right, r.bottom);
  if (state_.renderStates[D3DRS_SCISSORTESTENABLE])
    glEnable(GL_SCISSOR_TEST);
  else
    glDisable(GL_SCISSOR_TEST);
}

void GlDevice::ApplyBlend() {
  const auto& rs = state_.renderStates;
  glBlendFunc(GlBlend(rs[D3DRS_SRCBLEND]), GlBlend(rs[D3DRS_DESTBLEND]));
  glBlendEquation(GlBlendOp(rs[D3DRS_BLENDOP]));
}

void GlDevice::ApplyRenderState(D3DRENDERSTATETYPE state) {
  DWORD v = state_.renderStates[state];
  switch (state) {
    case D3DRS_ZENABLE:
      if (v && parameters_.EnableAutoDepthStencil) {
        glEnable(GL_DEPTH_TEST);
        // A stencil test that always passes and writes nothing changes no
        // pixel, but with it on llvmpipe skips the shading of every block
        // the depth test rejected whole (without, it shades and discards).
        glEnable(GL_STENCIL_TEST);
      } else {
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_STENCIL_TEST);
      }
      break;
    case D3DRS_ZWRITEENABLE: glDepthMask(v ? GL_TRUE : GL_FALSE); break;
    case D3DRS_ZFUNC: glDepthFunc(GlCompare(v)); break;
    case D3DRS_ALPHABLENDENABLE:
      if (v) glEnable(GL_BLEND);
      else glDisable(GL_BLEND);
      break;
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
    case D3DRS_BLENDOP: ApplyBlend(); break;
    case D3DRS_CULLMODE:
      // The image is not flipped on its way to the screen, so a winding seen
      // on screen is the same winding in GL's window coordinates.
      if (v == D3DCULL_CW || v == D3DCULL_CCW) {
        glEnable(GL_CULL_FACE);
        glCullFace(v == D3DCULL_CCW ? GL_FRONT : GL_BACK);
      } else {
        glDisable(GL_CULL_FACE);
      }
      break;
    case D3DRS_FILLMODE: SetGlFillMode(v); break;
    case D3DRS_SCISSORTESTENABLE:
      ApplyScissor();
      break;
    case D3DRS_ALPHATESTENABLE:
    case D3DRS_ALPHAFUNC:
    case D3DRS_LIGHTING: programDirty_ = true; break;
    case D3DRS_ALPHAREF:
    case D3DRS_TEXTUREFACTOR: miscLastWrite_ = ++clock_; break;
    case D3DRS_MULTISAMPLEANTIALIAS:
      if (samples_) SetGlMultisampling(v != 0);
      break;
    default: break;
  }
}

void GlDevice::ApplySampler(DWORD sampler) {
  const auto& s = state_.samplerStates[sampler];
  GLuint name = samplers_[sampler];
  glSamplerParameteri(name, GL_TEXTURE_WRAP_S, GlAddress(s[D3DSAMP_ADDRESSU]));
  glSamplerParameteri(name, GL_TEXTURE_WRAP_T, GlAddress(s[D3DSAMP_ADDRESSV]));
  glSamplerParameteri(name, GL_TEXTURE_WRAP_R, GlAddress(s[D3DSAMP_ADDRESSW]));
  D3DCOLOR border = s[D3DSAMP_BORDERCOLOR];
  float colour[4] = {((border >> 16) & 255) / 255.0f, ((border >> 8) & 255) / 255.0f, (border & 255) / 255.0f,
                     ((border >> 24) & 255) / 255.0f};
  SetGlBorderColour(name, colour);
  bool magLinear = s[D3DSAMP_MAGFILTER] >= D3DTEXF_LINEAR;
  bool minLinear = s[D3DSAMP_MINFILTER] >= D3DTEXF_LINEAR;
  glSamplerParameteri(name, GL_TEXTURE_MAG_FILTER, magLinear ? GL_LINEAR : GL_NEAREST);
  GLenum min;
  switch (s[D3DSAMP_MIPFILTER]) {
    case D3DTEXF_POINT: min = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST; break;
    case D3DTEXF_LINEAR:
    case D3DTEXF_ANISOTROPIC: min = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR; break;
    default: min = minLinear ? GL_LINEAR : GL_NEAREST; break;
  }
  glSamplerParameteri(name, GL_TEXTURE_MIN_FILTER, min);
  glSamplerParameterf(name, GL_TEXTURE_MAX_LOD, s[D3DSAMP_MIPFILTER] == D3DTEXF_NONE ? 0.0f : 1000.0f);
  glSamplerParameterf(name, GL_TEXTURE_MIN_LOD, float(s[D3DSAMP_MAXMIPLEVEL]));
  if (glCaps_.maxAnisotropy > 0) {
    bool anisotropic = s[D3DSAMP_MINFILTER] == D3DTEXF_ANISOTROPIC || s[D3DSAMP_MAGFILTER] == D3DTEXF_ANISOTROPIC;
    float amount = anisotropic ? float(s[D3DSAMP_MAXANISOTROPY]) : 1.0f;
    if (amount < 1) amount = 1;
    if (amount > glCaps_.maxAnisotropy) amount = glCaps_.maxAnisotropy;
    glSamplerParameterf(name, GL_TEXTURE_MAX_ANISOTROPY_EXT, amount);
  }
}

HRESULT GlDevice::GetDeviceCaps(D3DCAPS9* caps) {
  if (!caps) return D3DERR_INVALIDCALL;
  *caps = caps_;
  return D3D_OK;
}

HRESULT GlDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL, VertexBuffer** buffer, void*) {
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  if (length == 0) return D3DERR_INVALIDCALL;
  *buffer = new GlVertexBuffer(context_, length, usage, fvf);
  return D3D_OK;
}

HRESULT GlDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                Texture** texture, void*) {
  if (!texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  HRESULT valid = ValidateTextureRequest(width, height, format);
  if (FAILED(valid)) return valid;
  if (width > UINT(glCaps_.maxTextureSize) || height > UINT(glCaps_.maxTextureSize)) return D3DERR_INVALIDCALL;
  *texture = new GlTexture(context_, width, height, levels, usage, format, pool);
  return D3D_OK;
}

HRESULT GlDevice::CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements, VertexDeclaration** declaration) {
  if (!elements || !declaration) return D3DERR_INVALIDCALL;
  *declaration = new MemoryVertexDeclaration(ElementsUntilEnd(elements));
  return D3D_OK;
}

HRESULT GlDevice::CreateVertexShader(const DWORD* function, VertexShader** shader) {
  if (!shader) return D3DERR_INVALIDCALL;
  *shader = nullptr;
  ParsedShader parsed;
  TranslatedShader translated;
  if (!ParseShaderFunction(function, false, &parsed)) return D3DERR_INVALIDCALL;
  if (!TranslateShader(parsed, windowOrigin(), &translated)) {
    std::fprintf(stderr, "Kestrin: vertex shader not translated: %s\n", translated.error.c_str());
    return D3DERR_INVALIDCALL;
  }
  GLuint compiled = CompileGlShader(GL_VERTEX_SHADER, translated.source);
  if (!compiled) return D3DERR_INVALIDCALL;
  *shader = new GlVertexShader(context_, std::move(parsed.tokens), std::move(translated), compiled,
                               nextShaderSerial++);
  return D3D_OK;
}

HRESULT GlDevice::CreatePixelShader(const DWORD* function, PixelShader** shader) {
  if (!shader) return D3DERR_INVALIDCALL;
  *shader = nullptr;
  ParsedShader parsed;
  TranslatedShader translated;
  if (!ParseShaderFunction(function, true, &parsed)) return D3DERR_INVALIDCALL;
  if (!TranslateShader(parsed, windowOrigin(), &translated)) {
    std::fprintf(stderr, "Kestrin: pixel shader not translated: %s\n", translated.error.c_str());
    return D3DERR_INVALIDCALL;
  }
  auto* created = new GlPixelShader(context_, std::move(parsed.tokens), std::move(translated), nextShaderSerial++);
  if (!created->ShaderFor(0)) {
    created->Release();
    return D3DERR_INVALIDCALL;
  }
  *shader = created;
  return D3D_OK;
}

HRESULT GlDevice::SetVertexDeclaration(VertexDeclaration* declaration) {
  if (declaration != state_.declaration) vertexInput_ = VertexInputKey{};
  Rebind(state_.declaration, declaration);
  if (declaration) state_.fvf = 0;
  programDirty_ = drawStateDirty_ = true;
  return D3D_OK;
}

HRESULT GlDevice::SetFVF(DWORD fvf) {
  // Like Direct3D, an FVF of 0 leaves the current declaration in place.
  if (fvf == 0) return D3D_OK;
  Rebind(state_.declaration, static_cast<VertexDeclaration*>(nullptr));
  state_.fvf = fvf;
  programDirty_ = drawStateDirty_ = true;
  return D3D_OK;
}

HRESULT GlDevice::SetVertexShader(VertexShader* shader) {
  if (shader == state_.vertexShader) return D3D_OK;
  Rebind(state_.vertexShader, shader);
  programDirty_ = true;
  return D3D_OK;
}

HRESULT GlDevice::SetPixelShader(PixelShader* shader) {
  if (shader == state_.pixelShader) return D3D_OK;
  Rebind(state_.pixelShader, shader);
  programDirty_ = true;
  return D3D_OK;
}

HRESULT GlDevice::SetVertexShaderConstantF(UINT start, const float* data, UINT count) {
  if (!data || start >= kFloatConstants || count > kFloatConstants - start) return D3DERR_INVALIDCALL;
  for (UINT i = 0; i < count; ++i) {
    auto& slot = state_.vertexConstants[start + i];
    if (std::memcmp(slot.data(), data + 4 * i, 16) == 0) continue;
    std::memcpy(slot.data(), data + 4 * i, 16);
    vsStamps_[start + i] = vsLastWrite_ = ++clock_;
  }
  return D3D_OK;
}

HRESULT GlDevice::SetPixelShaderConstantF(UINT start, const float* data, UINT count) {
  if (!data || start >= kFloatConstants || count > kFloatConstants - start) return D3DERR_INVALIDCALL;
  for (UINT i = 0; i < count; ++i) {
    auto& slot = state_.pixelConstants[start + i];
    if (std::memcmp(slot.data(), data + 4 * i, 16) == 0) continue;
    std::memcpy(slot.data(), data + 4 * i, 16);
    psStamps_[start + i] = psLastWrite_ = ++clock_;
  }
  return D3D_OK;
}

HRESULT GlDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (state >= D3DRS_STATE_COUNT) return D3DERR_INVALIDCALL;
  if (state_.renderStates[state] == value) return D3D_OK;
  state_.renderStates[state] = value;
  drawStateDirty_ = true;
  ApplyRenderState(state);
  return D3D_OK;
}

HRESULT GlDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
  if (sampler >= kMaxSamplers || type >= D3DSAMP_STATE_COUNT) return D3DERR_INVALIDCALL;
  if (state_.samplerStates[sampler][type] == value) return D3D_OK;
  state_.samplerStates[sampler][type] = value;
  drawStateDirty_ = true;
  ApplySampler(sampler);
  return D3D_OK;
}

HRESULT GlDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
  if (stage >= kMaxStages || type >= D3DTSS_STATE_COUNT) return D3DERR_INVALIDCALL;
  if (state_.stageStates[stage][type] == value) return D3D_OK;
  state_.stageStates[stage][type] = value;
  programDirty_ = true;
  return D3D_OK;
}

HRESULT GlDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  if (!matrix) return D3DERR_INVALIDCALL;
  switch (state) {
    case D3DTS_WORLD: state_.world = *matrix; break;
    case D3DTS_VIEW: state_.view = *matrix; break;
    case D3DTS_PROJECTION: state_.projection = *matrix; break;
    default: return D3DERR_INVALIDCALL;
  }
  wvpDirty_ = true;
  miscLastWrite_ = ++clock_;
  return D3D_OK;
}

HRESULT GlDevice::SetTexture(DWORD stage, Texture* texture) {
  if (stage >= kMaxSamplers) return D3DERR_INVALIDCALL;
  Texture*& slot = state_.textures[stage];
  if (slot == texture) return D3D_OK;
  // The fixed-function program differs only by whether a stage has a texture.
  if ((slot == nullptr) != (texture == nullptr)) programDirty_ = true;
  drawStateDirty_ = true;
  Rebind(slot, texture);
  BindTexture(stage);
  return D3D_OK;
}

// A texture making its object again uses a unit of its own: the name first.
void GlDevice::BindTexture(DWORD stage) {
  auto* texture = static_cast<GlTexture*>(state_.textures[stage]);
  GLuint name = texture ? texture->Name() : 0;
  glActiveTexture(GL_TEXTURE0 + stage);
  glBindTexture(GL_TEXTURE_2D, name);
}

HRESULT GlDevice::SetScissorRect(const RECT* rect) {
  if (!rect) return D3DERR_INVALIDCALL;
  state_.scissorRect = *rect;
  ApplyScissor();
  return D3D_OK;
}

HRESULT GlDevice::SetStreamSource(UINT stream, VertexBuffer* buffer, UINT offsetInBytes, UINT stride) {
  if (stream != 0) return D3DERR_INVALIDCALL;
  // A buffer's GL name may be reused once it is deleted, so a new buffer
  // always gets its attributes specified afresh.
  if (buffer != state_.stream) vertexInput_ = VertexInputKey{};
  Rebind(state_.stream, buffer);
  state_.streamOffset = offsetInBytes;
  state_.streamStride = stride;
  return D3D_OK;
}

const std::vector<D3DVERTEXELEMENT9>& GlDevice::ActiveElements() {
  if (state_.declaration) return state_.declaration->Elements();
  if (fvfElementsFor_ != state_.fvf) {
    fvfElements_ = ElementsOfFvf(state_.fvf);
    fvfElementsFor_ = state_.fvf;
  }
  return fvfElements_;
}

GLuint GlDevice::FixedVertexPart(uint64_t* id) {
  FixedVertexKey key;
  key.transformed = !state_.declaration && (state_.fvf & D3DFVF_POSITION_MASK) == D3DFVF_XYZRHW;
  key.lighting = state_.renderStates[D3DRS_LIGHTING] != 0 && !key.transformed;
  uint64_t bits = (key.transformed ? 1 : 0) | (key.lighting ? 2 : 0);
  *id = kFixedVertexPart | bits;
  auto found = fixedVertexParts_.find(bits);
  if (found != fixedVertexParts_.end()) return found->second;
  GLuint shader = CompileGlShader(GL_VERTEX_SHADER, FixedVertexSource(key));
  fixedVertexParts_[bits] = shader;
  return shader;
}

GLuint GlDevice::FixedPixelPart(const std::string& key, DWORD alphaFunc) {
  std::string full = key + char(alphaFunc);
  auto found = fixedPixelParts_.find(full);
  if (found != fixedPixelParts_.end()) return found->second;
  GLuint shader = CompileGlShader(GL_FRAGMENT_SHADER, FixedPixelSource(key, alphaFunc));
  fixedPixelParts_[full] = shader;
  return shader;
}

std::unique_ptr<GlProgram> GlDevice::LinkProgram(GLuint vertexPart, GLuint pixelPart, uint64_t vertexPartId,
                                                 const std::vector<ShaderInput>& inputs, const TranslatedShader* vs,
                                                 const TranslatedShader* ps, int fixedStages) {
  auto linked = std::make_unique<GlProgram>();
  linked->vertexPartId = vertexPartId;
  linked->inputs = inputs;
  if (!vertexPart || !pixelPart) return linked;
  GLuint program = glCreateProgram();
  glAttachShader(program, vertexPart);
  glAttachShader(program, pixelPart);
  BindGlColourOutput(program, "vk_color");
  glLinkProgram(program);
  GLint ok = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  glDetachShader(program, vertexPart);
  glDetachShader(program, pixelPart);
  if (!ok) {
    char log[2048] = {0};
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    std::fprintf(stderr, "Kestrin: GLSL link failed: %s\n", log);
    glDeleteProgram(program);
    return linked;
  }
  linked->program = program;
  linked->valid = true;
  glUseProgram(program);
  auto registers = [&](const TranslatedShader* t, const char* array, std::vector<int>* regs,
                       std::vector<GLint>* locations) {
    if (!t) return;
    for (int r : t->constants) {
      std::string name = std::string(array) + "[" + std::to_string(r) + "]";
      regs->push_back(r);
      locations->push_back(glGetUniformLocation(program, name.c_str()));
    }
    for (const auto& [r, value] : t->definedConstants) {
      std::string name = std::string(array) + "[" + std::to_string(r) + "]";
      GLint location = glGetUniformLocation(program, name.c_str());
      if (location >= 0) glUniform4fv(location, 1, value.data());
    }
  };
  registers(vs, "vc", &linked->vsRegisters, &linked->vsLocations);
  registers(ps, "pc", &linked->psRegisters, &linked->psLocations);
  if (ps) {
    for (int s = 0; s < 32; ++s) {
      if (!(ps->samplers & (1u << s))) continue;
      GLint location = glGetUniformLocation(program, ("s" + std::to_string(s)).c_str());
      if (location >= 0) glUniform1i(location, s);
    }
  }
  for (int s = 0; s < fixedStages; ++s) {
    GLint location = glGetUniformLocation(program, ("u_tex" + std::to_string(s)).c_str());
    if (location >= 0) glUniform1i(location, s);
  }
  linked->wvp = glGetUniformLocation(program, "u_wvp");
  linked->viewport = glGetUniformLocation(program, "u_viewport");
  linked->tfactor = glGetUniformLocation(program, "u_tfactor");
  linked->alphaRef = glGetUniformLocation(program, "u_alphaRef");
  return linked;
}

void GlDevice::SelectProgram() {
  programDirty_ = false;
  DWORD alphaFunc = state_.renderStates[D3DRS_ALPHATESTENABLE] ? state_.renderStates[D3DRS_ALPHAFUNC] : 0;
  if (alphaFunc == D3DCMP_ALWAYS || alphaFunc > D3DCMP_ALWAYS) alphaFunc = 0;
  auto* vs = static_cast<GlVertexShader*>(state_.vertexShader);
  auto* ps = static_cast<GlPixelShader*>(state_.pixelShader);

  uint64_t vertexId = 0;
  GLuint vertexPart = vs ? vs->Shader() : FixedVertexPart(&vertexId);
  if (vs) vertexId = vs->Serial();
  std::string fixedKey = ps ? std::string() : FixedPixelKey(state_);
  std::string key(reinterpret_cast<const char*>(&vertexId), sizeof vertexId);
  if (ps) {
    uint64_t serial = ps->Serial();
    key += 'S';
    key.append(reinterpret_cast<const char*>(&serial), sizeof serial);
  } else {
    key += 'F';
    key += fixedKey;
  }
  key += char(alphaFunc);

  auto found = programs_.find(key);
  GlProgram* chosen;
  if (found != programs_.end()) {
    chosen = found->second.get();
  } else {
    GLuint pixelPart = ps ? ps->ShaderFor(alphaFunc) : FixedPixelPart(fixedKey, alphaFunc);
    int fixedStages = ps ? 0 : FixedStageCount(fixedKey);
    auto linked = LinkProgram(vertexPart, pixelPart, vertexId, vs ? vs->Translated().inputs : FixedVertexInputs(),
                              vs ? &vs->Translated() : nullptr, ps ? &ps->Translated() : nullptr, fixedStages);
    chosen = linked.get();
    programs_[key] = std::move(linked);
  }
  if (chosen != program_) {
    program_ = chosen;
    if (chosen->valid) glUseProgram(chosen->program);
  }
}

void GlDevice::SyncUniforms(GlProgram& p) {
  if (p.vsSynced < vsLastWrite_)
    UploadChanged(p.vsRegisters, p.vsLocations, vsStamps_, p.vsSynced, state_.vertexConstants);
  if (p.psSynced < psLastWrite_)
    UploadChanged(p.psRegisters, p.psLocations, psStamps_, p.psSynced, state_.pixelConstants);
  p.vsSynced = p.psSynced = clock_;
  if (p.miscSynced >= miscLastWrite_) return;
  p.miscSynced = clock_;
  if (p.wvp >= 0) {
    if (wvpDirty_) {
      wvp_ = Multiply(Multiply(state_.world, state_.view), state_.projection);
      wvpDirty_ = false;
    }
    // Row-major rows read as GL columns give the transpose, so the shader's
    // M * v equals Direct3D's v * M.
    glUniformMatrix4fv(p.wvp, 1, GL_FALSE, &wvp_.m[0][0]);
  }
  if (p.viewport >= 0) glUniform2f(p.viewport, float(width_), float(height_));
  if (p.tfactor >= 0) {
    D3DCOLOR c = state_.renderStates[D3DRS_TEXTUREFACTOR];
    glUniform4f(p.tfactor, ((c >> 16) & 255) / 255.0f, ((c >> 8) & 255) / 255.0f, (c & 255) / 255.0f,
                ((c >> 24) & 255) / 255.0f);
  }
  if (p.alphaRef >= 0) glUniform1f(p.alphaRef, float(state_.renderStates[D3DRS_ALPHAREF] & 0xFF));
}

void GlDevice::SetupVertexInput(GLuint buffer, UINT baseOffset, UINT stride) {
  ForgetReleasedBuffers();
  VertexInputKey key{program_->vertexPartId, state_.declaration, state_.declaration ? 0u : state_.fvf, buffer,
                     baseOffset, stride};
  if (key == vertexInput_) return;
  vertexInput_ = key;
  const auto& elements = ActiveElements();
  VertexArrayLayout layout{buffer, stride, {}};
  for (const ShaderInput& input : program_->inputs) {
    if (input.location < 0 || input.location >= kMaxAttributes) continue;
    const D3DVERTEXELEMENT9* match = nullptr;
    for (const D3DVERTEXELEMENT9& e : elements)
      if (e.Stream == 0 && e.Usage == input.usage && e.UsageIndex == input.usageIndex) match = &e;
    AttributeFormat format;
    if (match && FormatOf(match->Type, &format)) {
      layout.arrays[input.location] = {format.size, format.type, format.normalised, baseOffset + match->Offset};
    } else {
      bool colour = input.usage == D3DDECLUSAGE_COLOR && input.usageIndex == 0;
      glVertexAttrib4f(static_cast<GLuint>(input.location), colour ? 1.0f : 0.0f, colour ? 1.0f : 0.0f,
                       colour ? 1.0f : 0.0f, 1.0f);
    }
  }
  BindVertexArray(layout);
}

void GlDevice::BindVertexArray(const VertexArrayLayout& layout) {
  auto [found, made] = vertexArrays_.try_emplace(layout, 0);
  if (!made) {
    glBindVertexArray(found->second);
    return;
  }
  glGenVertexArrays(1, &found->second);
  ++vertexArraysHeld;
  glBindVertexArray(found->second);
  glBindBuffer(GL_ARRAY_BUFFER, layout.buffer);
  for (GLuint i = 0; i < kMaxAttributes; ++i) {
    const auto& array = layout.arrays[i];
    if (!array.size) continue;
    glVertexAttribPointer(i, array.size, array.type, array.normalised, static_cast<GLsizei>(layout.stride),
                          reinterpret_cast<const void*>(uintptr_t(array.offset)));
    glEnableVertexAttribArray(i);
  }
}

// A deleted buffer's name may come back for a new one: the arrays that read
// the old go with it.
void GlDevice::ForgetReleasedBuffers() {
  auto& released = context_->releasedBuffers;
  if (released.empty()) return;
  auto gone = [&](GLuint buffer) { return std::find(released.begin(), released.end(), buffer) != released.end(); };
  if (gone(vertexInput_.buffer)) vertexInput_ = VertexInputKey{};
  for (auto it = vertexArrays_.begin(); it != vertexArrays_.end();) {
    if (!gone(it->first.buffer)) {
      ++it;
      continue;
    }
    glDeleteVertexArrays(1, &it->second);
    --vertexArraysHeld;
    it = vertexArrays_.erase(it);
  }
  released.clear();
}

// The parts of a draw's state that a driver compiles its shader code for:
// the program, the depth and blend states that apply, the vertex layout and
// each bound texture's format, mip chain and sampling. Not the cull mode,
// the matrices, the constants or the textures' sizes.
void GlDevice::NoteDrawState() {
  drawStateDirty_ = false;
  const auto& rs = state_.renderStates;
  std::string key(reinterpret_cast<const char*>(&program_), sizeof program_);
  key.append(reinterpret_cast<const char*>(&state_.declaration), sizeof state_.declaration);
  auto add = [&](DWORD value) { key.append(reinterpret_cast<const char*>(&value), sizeof value); };
  add(state_.fvf);
  add(rs[D3DRS_ZENABLE]);
  if (rs[D3DRS_ZENABLE]) add(rs[D3DRS_ZWRITEENABLE]), add(rs[D3DRS_ZFUNC]);
  add(rs[D3DRS_ALPHABLENDENABLE]);
  if (rs[D3DRS_ALPHABLENDENABLE]) add(rs[D3DRS_SRCBLEND]), add(rs[D3DRS_DESTBLEND]), add(rs[D3DRS_BLENDOP]);
  for (UINT i = 0; i < kMaxSamplers; ++i) {
    const auto* texture = static_cast<const GlTexture*>(state_.textures[i]);
    if (!texture) continue;
    add(i);
    add(texture->Format());
    add(texture->GetLevelCount() > 1);
    for (DWORD type : {D3DSAMP_ADDRESSU, D3DSAMP_ADDRESSV, D3DSAMP_ADDRESSW, D3DSAMP_MAGFILTER, D3DSAMP_MINFILTER,
                       D3DSAMP_MIPFILTER})
      add(state_.samplerStates[i][type]);
  }
  if (drawStates_.insert(key).second) ++drawStatesMet;
}

HRESULT GlDevice::PrepareDraw() {
  kept_.Drew();
  if (programDirty_) {
    SelectProgram();
    drawStateDirty_ = true;
  }
  if (!program_ || !program_->valid) return D3DERR_INVALIDCALL;
  if (drawStateDirty_) NoteDrawState();
  SyncUniforms(*program_);
  return D3D_OK;
}

HRESULT GlDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
  auto* buffer = static_cast<GlVertexBuffer*>(state_.stream);
  UINT stride = state_.streamStride;
  UINT vertices = VertexCountOf(type, primitiveCount);
  if (!buffer || stride == 0) return D3DERR_INVALIDCALL;
  uint64_t end = uint64_t(state_.streamOffset) + (uint64_t(startVertex) + vertices) * stride;
  if (end > buffer->Length()) return D3DERR_INVALIDCALL;
  if (vertices == 0) return D3D_OK;
  HRESULT ready = PrepareDraw();
  if (FAILED(ready)) return ready;
  SetupVertexInput(buffer->Name(), state_.streamOffset, stride);
  glDrawArrays(GlPrimitive(type), static_cast<GLint>(startVertex), static_cast<GLsizei>(vertices));
  return D3D_OK;
}

HRESULT GlDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                                  UINT vertexStride) {
  if (!vertexData || vertexStride == 0) return D3DERR_INVALIDCALL;
  // Like Direct3D, a draw from memory leaves stream 0 unset.
  Rebind(state_.stream, static_cast<VertexBuffer*>(nullptr));
  state_.streamOffset = state_.streamStride = 0;
  UINT vertices = VertexCountOf(type, primitiveCount);
  if (vertices == 0) return D3D_OK;
  size_t bytes = size_t(vertices) * vertexStride;
  HRESULT ready = PrepareDraw();
  if (FAILED(ready)) return ready;

  // Vertices are appended to one streaming buffer; a full buffer is replaced
  // (the draws still reading the old storage keep it), never overwritten.
  size_t position = (streamPosition_ + vertexStride - 1) / vertexStride * vertexStride;
  glBindBuffer(GL_ARRAY_BUFFER, streamBuffer_);
  if (position + bytes > streamCapacity_) {
    while (bytes > streamCapacity_) streamCapacity_ *= 2;
    glBufferData(GL_ARRAY_BUFFER, streamCapacity_, nullptr, GL_STREAM_DRAW);
    position = 0;
  }
  if (!WriteGlArrayBuffer(position, bytes, vertexData)) return D3DERR_INVALIDCALL;
  streamPosition_ = position + bytes;
  SetupVertexInput(streamBuffer_, 0, vertexStride);
  glDrawArrays(GlPrimitive(type), static_cast<GLint>(position / vertexStride), static_cast<GLsizei>(vertices));
  return D3D_OK;
}

HRESULT GlDevice::Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                        DWORD stencil) {
  GLbitfield mask = 0;
  if (flags & D3DCLEAR_TARGET) {
    glClearColor(((color >> 16) & 255) / 255.0f, ((color >> 8) & 255) / 255.0f, (color & 255) / 255.0f,
                 ((color >> 24) & 255) / 255.0f);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if ((flags & D3DCLEAR_ZBUFFER) && depthBuffer_) {
    SetGlClearDepth(z);
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if ((flags & D3DCLEAR_STENCIL) && depthBuffer_) {
    glClearStencil(static_cast<GLint>(stencil));
    mask |= GL_STENCIL_BUFFER_BIT;
  }
  if (!mask) return D3D_OK;
  kept_.Cleared(rects ? rectCount : 0, flags, z);
  // Clearing ignores the depth write state.
  glDepthMask(GL_TRUE);
  PauseScissor();
  if (rectCount && rects) {
    // Mesa clears part of a buffer by drawing over it, with a program of its own.
    if (drawStates_.insert("clear" + std::to_string(mask)).second) ++drawStatesMet;
    glEnable(GL_SCISSOR_TEST);
    for (DWORD i = 0; i < rectCount; ++i) {
      const D3DRECT& r = rects[i];
      if (r.x2 <= r.x1 || r.y2 <= r.y1) continue;
      ScissorGl(r.x1, r.y1, r.x2, r.y2);
      glClear(mask);
    }
  } else {
    glClear(mask);
  }
  ApplyScissor();
  glDepthMask(state_.renderStates[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
  return D3D_OK;
}

HRESULT GlDevice::BeginScene() {
  if (state_.inScene) return D3DERR_INVALIDCALL;
  state_.inScene = true;
  return D3D_OK;
}

HRESULT GlDevice::EndScene() {
  if (!state_.inScene) return D3DERR_INVALIDCALL;
  state_.inScene = false;
  // Direct3D queues a scene's draws for the driver when the scene ends: the
  // rasterizer's threads start on them while the frame goes on.
  glFlush();
  return D3D_OK;
}

void GlDevice::ResolveForReading() {
  if (samples_) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, frameBuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolveFrameBuffer_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, resolveFrameBuffer_);
  } else {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, frameBuffer_);
  }
}

HRESULT GlDevice::Present(const RECT*, const RECT*, HWND, const void*) {
  if (GlContextStatus() != GlContextState::Live) return D3DERR_DEVICELOST;
  PauseScissor();
  ResolveForReading();
  kept_.Drew();  // what a presented buffer holds next is undefined
  int windowWidth = 0, windowHeight = 0;
  GetGlDrawableSize(window_, &windowWidth, &windowHeight);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  bool sameSize = windowWidth == width_ && windowHeight == height_;
  // GL counts the window's rows from the bottom: an image kept top row first
  // is copied upside down, which in Mesa's own terms is no flip at all.
  int top = topRowFirst_ ? height_ : 0, bottom = topRowFirst_ ? 0 : height_;
  glBlitFramebuffer(0, top, width_, bottom, 0, 0, windowWidth, windowHeight, GL_COLOR_BUFFER_BIT,
                    sameSize ? GL_NEAREST : GL_LINEAR);
  SwapGlWindow(window_);
  glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
  ApplyScissor();
  return D3D_OK;
}

// The game keeps the round's scenery this way while the camera stands still:
// both copies are between buffers of the same formats, which llvmpipe makes a
// plain memory copy.
HRESULT GlDevice::KeepFrame(uint64_t tag) {
  // WebGL blits no multisampled buffer to another.
  if (keepingFailed_ || (samples_ && GlEs)) return D3DERR_NOTAVAILABLE;
  if (!keptFrameBuffer_) {
    glGenFramebuffers(1, &keptFrameBuffer_);
    keepingFailed_ = !AttachFrameStorage(keptFrameBuffer_, &keptColourBuffer_, &keptColourTexture_, &keptDepthBuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
    if (keepingFailed_) return D3DERR_NOTAVAILABLE;
  }
  CopyFrame(frameBuffer_, keptFrameBuffer_);
  kept_.Kept(tag, RECT{0, 0, width_, height_});
  return D3D_OK;
}

// WebGL reads no depth, and a multisampled buffer is read only once resolved:
// there the whole frame stays open.
HRESULT GlDevice::NoteKeptFrameOpenRects() {
  if (!kept_.kept) return D3DERR_INVALIDCALL;
  if (GlEs || samples_ || !depthBuffer_) return D3D_OK;
  glBindFramebuffer(GL_READ_FRAMEBUFFER, frameBuffer_);
  kept_.open = ScanClearedDepth(width_, height_, topRowFirst_, kept_.clearDepth);
  glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
  return D3D_OK;
}

HRESULT GlDevice::RestoreKeptFrame(uint64_t tag, OpenRects* open) {
  if (!kept_.CanRestore(tag)) return D3DERR_INVALIDCALL;
  CopyFrame(keptFrameBuffer_, frameBuffer_);
  kept_.Drew();
  if (open) *open = kept_.open;
  return D3D_OK;
}

void GlDevice::CopyFrame(GLuint from, GLuint to) {
  PauseScissor();
  glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
  // Depth and stencil together: a copy of only part of a format is drawn, not copied.
  const GLbitfield depth = depthBuffer_ ? GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT : 0;
  glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT | depth, GL_NEAREST);
  glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
  ApplyScissor();
}

size_t DrawStatesMetForTests() { return drawStatesMet; }
size_t VertexArraysForTests() { return vertexArraysHeld; }

HRESULT GlDevice::AcquireThread() {
  return MakeGlContextCurrent(window_, context_->context) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT GlDevice::ReleaseThread() {
  glFlush();
  return MakeGlContextCurrent(window_, nullptr) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT GlDevice::ReadBackBuffer(std::vector<uint32_t>* argb, int* width, int* height) {
  if (!argb || !width || !height) return D3DERR_INVALIDCALL;
  PauseScissor();
  ResolveForReading();
  glFinish();
  argb->resize(size_t(width_) * height_);
  ReadGlPixelsArgb(width_, height_, argb->data());
  glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
  ApplyScissor();
  // Without clip control GL's first row is the bottom one.
  if (!topRowFirst_)
    for (int y = 0; y < height_ / 2; ++y)
      std::swap_ranges(argb->begin() + ptrdiff_t(y) * width_, argb->begin() + ptrdiff_t(y + 1) * width_,
                       argb->begin() + ptrdiff_t(height_ - 1 - y) * width_);
  *width = width_;
  *height = height_;
  return D3D_OK;
}

}  // namespace d3d9
