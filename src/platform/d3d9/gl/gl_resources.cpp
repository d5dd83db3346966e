#include "platform/d3d9/gl/gl_resources.h"

#include <cstdio>
#include <vector>

namespace d3d9 {

GLuint CompileGlShader(GLenum stage, const std::string& source) {
  GLuint shader = glCreateShader(stage);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[2048] = {0};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "Kestrin: GLSL compile failed: %s\n%s\n", log, source.c_str());
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

GlVertexBuffer::GlVertexBuffer(ContextLink context, UINT length, DWORD usage, DWORD fvf)
    : MemoryVertexBuffer(length, usage, fvf), context_(std::move(context)) {
  Make();
}

void GlVertexBuffer::Make() {
  made_ = context_->generation;
  glGenBuffers(1, &name_);
  glBindBuffer(GL_ARRAY_BUFFER, name_);
  glBufferData(GL_ARRAY_BUFFER, Length(), Data(), (Usage() & D3DUSAGE_DYNAMIC) ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
}

GLuint GlVertexBuffer::Name() {
  if (made_ != context_->generation) Make();
  return name_;
}

GlVertexBuffer::~GlVertexBuffer() {
  if (!context_->Holds(made_)) return;
  glDeleteBuffers(1, &name_);
  context_->releasedBuffers.push_back(name_);
}

void GlVertexBuffer::Unlocked(UINT offset, UINT size) {
  if (!context_->Current()) return;
  if (size) {
    glBindBuffer(GL_ARRAY_BUFFER, Name());
    glBufferSubData(GL_ARRAY_BUFFER, offset, size, Data() + offset);
  }
  // Models are written once; a second copy of every one would only cost
  // memory. ES cannot read a buffer back: it keeps the copy.
  if (!GlEs && !(Usage() & D3DUSAGE_DYNAMIC)) ReleaseBytes();
}

void GlVertexBuffer::RestoreBytes(uint8_t* bytes) {
#ifndef __EMSCRIPTEN__
  if (!context_->Current()) return;
  glBindBuffer(GL_ARRAY_BUFFER, name_);
  glGetBufferSubData(GL_ARRAY_BUFFER, 0, Length(), bytes);
#else
  (void)bytes;
#endif
}

namespace {

struct GlFormat {
  GLenum internal, format, type;
  GLint swizzle[4];
};

#ifdef __EMSCRIPTEN__
// WebGL 2 has neither BGRA uploads nor swizzles: 32-bit texels go up as
// RGBA bytes (see Texels), luminance and alpha as the unsized ES formats.
GlFormat GlFormatOf(D3DFORMAT format) {
  if (format == D3DFMT_L8) return {GL_LUMINANCE, GL_LUMINANCE, GL_UNSIGNED_BYTE, {}};
  if (format == D3DFMT_A8) return {GL_ALPHA, GL_ALPHA, GL_UNSIGNED_BYTE, {}};
  return {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, {}};
}
#else
GlFormat GlFormatOf(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_X8R8G8B8: return {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, {GL_RED, GL_GREEN, GL_BLUE, GL_ONE}};
    case D3DFMT_L8: return {GL_R8, GL_RED, GL_UNSIGNED_BYTE, {GL_RED, GL_RED, GL_RED, GL_ONE}};
    case D3DFMT_A8: return {GL_R8, GL_RED, GL_UNSIGNED_BYTE, {GL_ZERO, GL_ZERO, GL_ZERO, GL_RED}};
    default: return {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}};
  }
}
#endif

// The level's bytes as GL takes them: as stored, or for ES 32-bit texels
// reordered B, G, R, A -> R, G, B, A, with X8R8G8B8's unused byte opaque.
const void* Texels(const uint8_t* bytes, UINT texels, D3DFORMAT format, std::vector<uint8_t>* converted) {
  if (!GlEs || !bytes || format == D3DFMT_L8 || format == D3DFMT_A8) return bytes;
  converted->resize(size_t(texels) * 4);
  for (size_t i = 0; i < converted->size(); i += 4) {
    (*converted)[i] = bytes[i + 2];
    (*converted)[i + 1] = bytes[i + 1];
    (*converted)[i + 2] = bytes[i];
    (*converted)[i + 3] = format == D3DFMT_X8R8G8B8 ? 255 : bytes[i + 3];
  }
  return converted->data();
}

}  // namespace

GlTexture::GlTexture(ContextLink context, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                     D3DPOOL pool)
    : MemoryTexture(width, height, levels, usage, format, pool), context_(std::move(context)) {
  Make(false);
}

// A new texture's levels reach GL at their first unlock, with the texels the
// loader wrote: given at creation as well, the driver would allocate, clear
// and copy every level twice. A texture made again after a lost context has
// its memory copies and takes them at once.
void GlTexture::Make(bool withContents) {
  made_ = context_->generation;
  specified_ = 0;
  glGenTextures(1, &name_);
  glActiveTexture(kUploadUnit);
  glBindTexture(GL_TEXTURE_2D, name_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(GetLevelCount()) - 1);
#ifndef __EMSCRIPTEN__
  glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, GlFormatOf(Format()).swizzle);
#endif
  if (withContents)
    for (UINT level = 0; level < GetLevelCount(); ++level) UploadLevel(level);
  glBindTexture(GL_TEXTURE_2D, 0);
}

// The level's memory copy to GL: the first time it gives the level its
// storage, later it replaces the texels. With the texture bound on the upload
// unit.
void GlTexture::UploadLevel(UINT level) {
  GlFormat f = GlFormatOf(Format());
  std::vector<uint8_t> converted;
  const void* texels = Texels(LevelData(level), LevelWidth(level) * LevelHeight(level), Format(), &converted);
  if (specified_ & (1u << level)) {
    glTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, LevelWidth(level), LevelHeight(level), f.format, f.type, texels);
  } else {
    glTexImage2D(GL_TEXTURE_2D, level, f.internal, LevelWidth(level), LevelHeight(level), 0, f.format, f.type, texels);
    specified_ |= 1u << level;
  }
}

// A level never unlocked is drawn from its memory copy, as Direct3D would.
GLuint GlTexture::Name() {
  if (made_ != context_->generation) Make(true);
  const uint32_t all = (1u << GetLevelCount()) - 1;
  if (specified_ != all) {
    glActiveTexture(kUploadUnit);
    glBindTexture(GL_TEXTURE_2D, name_);
    for (UINT level = 0; level < GetLevelCount(); ++level)
      if (!(specified_ & (1u << level))) UploadLevel(level);
    glBindTexture(GL_TEXTURE_2D, 0);
  }
  return name_;
}

GlTexture::~GlTexture() {
  if (context_->Holds(made_)) glDeleteTextures(1, &name_);
}

void GlTexture::LevelUnlocked(UINT level) {
  if (!context_->Current()) return;
  if (made_ != context_->generation) Make(true);
  glActiveTexture(kUploadUnit);
  glBindTexture(GL_TEXTURE_2D, name_);
  UploadLevel(level);
  glBindTexture(GL_TEXTURE_2D, 0);
  // ES cannot read a texture back: the bytes stay for the next lock.
  if (!GlEs) ReleaseLevelBytes(level);
}

void GlTexture::RestoreLevel(UINT level, uint8_t* bytes) {
#ifndef __EMSCRIPTEN__
  if (!context_->Current()) return;
  GlFormat f = GlFormatOf(Format());
  glActiveTexture(kUploadUnit);
  glBindTexture(GL_TEXTURE_2D, name_);
  glGetTexImage(GL_TEXTURE_2D, static_cast<GLint>(level), f.format, f.type, bytes);
  glBindTexture(GL_TEXTURE_2D, 0);
#else
  (void)level, (void)bytes;
#endif
}

GlVertexShader::GlVertexShader(ContextLink context, std::vector<DWORD> tokens, TranslatedShader translated,
                               GLuint shader, uint64_t serial)
    : context_(std::move(context)), tokens_(std::move(tokens)), translated_(std::move(translated)),
      shader_(shader), made_(context_->generation), serial_(serial) {}

GlVertexShader::~GlVertexShader() {
  if (context_->Holds(made_)) glDeleteShader(shader_);
}

GLuint GlVertexShader::Shader() {
  if (made_ != context_->generation) {
    made_ = context_->generation;
    shader_ = CompileGlShader(GL_VERTEX_SHADER, translated_.source);
  }
  return shader_;
}

GlPixelShader::GlPixelShader(ContextLink context, std::vector<DWORD> tokens, TranslatedShader translated,
                             uint64_t serial)
    : context_(std::move(context)), tokens_(std::move(tokens)), translated_(std::move(translated)),
      made_(context_->generation), serial_(serial) {}

GlPixelShader::~GlPixelShader() {
  if (!context_->Holds(made_)) return;
  for (auto& [func, shader] : variants_)
    if (shader) glDeleteShader(shader);
}

GLuint GlPixelShader::ShaderFor(DWORD alphaFunc) {
  if (made_ != context_->generation) {
    made_ = context_->generation;
    variants_.clear();
  }
  auto found = variants_.find(alphaFunc);
  if (found != variants_.end()) return found->second;
  GLuint shader = CompileGlShader(GL_FRAGMENT_SHADER, WithAlphaTest(translated_.source, alphaFunc, "kResult"));
  variants_[alphaFunc] = shader;
  return shader;
}

}  // namespace d3d9
