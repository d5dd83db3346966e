#pragma once
// Direct3D resources backed by OpenGL objects. Locks write to a copy in
// memory, uploaded on unlock; after that GL holds the only copy (dynamic
// vertex buffers keep theirs), and a later lock reads it back. WebGL keeps
// every copy: a resource whose objects went with a lost context makes them
// again from it when next used.
#include <map>
#include <memory>
#include <vector>

#include "platform/d3d9/gl/gl_api.h"
#include "platform/d3d9/gl/gl_surface.h"
#include "platform/d3d9/gl/shader_translator.h"
#include "platform/d3d9/memory_resources.h"

namespace d3d9 {

// Whether the device's GL context still exists and is current on this
// thread; resources outlive their device and must not touch GL then.
// `generation` counts the times the context came back empty after a loss.
struct GlContextLife {
  GlContext context = nullptr;
  bool alive = true;
  uint32_t generation = 0;
  // Vertex buffers deleted since the device last looked.
  std::vector<GLuint> releasedBuffers;
  bool Current() const { return alive && CurrentGlContext() == context; }
  // Whether an object made in generation `made` is still the context's.
  bool Holds(uint32_t made) const { return made == generation && Current(); }
};
using ContextLink = std::shared_ptr<GlContextLife>;

// Texture unit used for uploads, so the units the device binds stay as set.
constexpr GLenum kUploadUnit = GL_TEXTURE0 + 15;

class GlVertexBuffer : public MemoryVertexBuffer {
 public:
  GlVertexBuffer(ContextLink context, UINT length, DWORD usage, DWORD fvf);
  ~GlVertexBuffer() override;
  GLuint Name();

 protected:
  void Unlocked(UINT offset, UINT size) override;
  void RestoreBytes(uint8_t* bytes) override;

 private:
  void Make();
  ContextLink context_;
  GLuint name_ = 0;
  uint32_t made_ = 0;
};

class GlTexture : public MemoryTexture {
 public:
  GlTexture(ContextLink context, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool);
  ~GlTexture() override;
  GLuint Name();

 protected:
  void LevelUnlocked(UINT level) override;
  void RestoreLevel(UINT level, uint8_t* bytes) override;

 private:
  void Make(bool withContents);
  void UploadLevel(UINT level);
  ContextLink context_;
  GLuint name_ = 0;
  uint32_t made_ = 0;
  uint32_t specified_ = 0;  // the levels GL has been given, a bit each
};

// A compiled GL shader stage; pixel programs compile once per alpha test.
class GlVertexShader : public VertexShader {
 public:
  GlVertexShader(ContextLink context, std::vector<DWORD> tokens, TranslatedShader translated, GLuint shader,
                 uint64_t serial);
  ~GlVertexShader() override;
  const std::vector<DWORD>& Function() const override { return tokens_; }
  const TranslatedShader& Translated() const { return translated_; }
  // 0 when it does not compile.
  GLuint Shader();
  uint64_t Serial() const { return serial_; }

 private:
  ContextLink context_;
  std::vector<DWORD> tokens_;
  TranslatedShader translated_;
  GLuint shader_;
  uint32_t made_;
  uint64_t serial_;
};

class GlPixelShader : public PixelShader {
 public:
  GlPixelShader(ContextLink context, std::vector<DWORD> tokens, TranslatedShader translated, uint64_t serial);
  ~GlPixelShader() override;
  const std::vector<DWORD>& Function() const override { return tokens_; }
  const TranslatedShader& Translated() const { return translated_; }
  uint64_t Serial() const { return serial_; }
  // The stage compiled with the alpha test `alphaFunc` (0 none); 0 on failure.
  GLuint ShaderFor(DWORD alphaFunc);

 private:
  ContextLink context_;
  std::vector<DWORD> tokens_;
  TranslatedShader translated_;
  std::map<DWORD, GLuint> variants_;
  uint32_t made_;
  uint64_t serial_;
};

// Compiles one stage; 0 (and the log on standard error) on failure.
GLuint CompileGlShader(GLenum stage, const std::string& source);

}  // namespace d3d9
