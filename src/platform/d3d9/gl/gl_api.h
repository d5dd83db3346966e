#pragma once
// The GL the backend draws with: OpenGL 3.3 core through libepoxy on the
// desktop, WebGL 2 (OpenGL ES 3.0 and GLSL ES 3.00) in the browser. WebGL 2
// lacks clip control, fill modes, border clamping, texture swizzles, BGRA
// uploads and attributes, reading textures back and mapping buffers; the
// backend works around each where GlEs is true.
#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
#include <GLES2/gl2ext.h>
#else
#include <epoxy/gl.h>
#endif

#include <cstdint>
#include <cstring>

namespace d3d9 {
#ifdef __EMSCRIPTEN__
constexpr bool GlEs = true;
#else
constexpr bool GlEs = false;
#endif

// The first lines of every GLSL program of the backend.
inline const char* GlslHeader() {
  return GlEs ? "#version 300 es\nprecision highp float;\nprecision highp int;\n" : "#version 330 core\n";
}
// Where WebGL 2 has no border clamping, the edge texels stand in.
#ifdef __EMSCRIPTEN__
constexpr GLenum GlClampToBorder = GL_CLAMP_TO_EDGE;
// Four bytes taken in memory order; the shaders swap them (ColourInputSwizzle).
constexpr GLint GlColourAttributeSize = 4;
#else
constexpr GLenum GlClampToBorder = GL_CLAMP_TO_BORDER;
constexpr GLint GlColourAttributeSize = GL_BGRA;
#endif

// How a shader reads a D3DCOLOR vertex input in red, green, blue, alpha
// order: GL swaps the bytes itself, ES takes them in memory order (B, G, R, A).
inline const char* ColourInputSwizzle() { return GlEs ? ".bgra" : ""; }

// Direct3D's fill mode (1 points, 2 lines, 3 solid). WebGL 2 fills only.
inline void SetGlFillMode(uint32_t mode) {
#ifndef __EMSCRIPTEN__
  glPolygonMode(GL_FRONT_AND_BACK, mode == 1 ? GL_POINT : mode == 2 ? GL_LINE : GL_FILL);
#else
  (void)mode;
#endif
}

// WebGL 2 multisamples whenever the buffer has samples.
inline void SetGlMultisampling(bool on) {
#ifndef __EMSCRIPTEN__
  if (on) glEnable(GL_MULTISAMPLE);
  else glDisable(GL_MULTISAMPLE);
#else
  (void)on;
#endif
}

inline void SetGlBorderColour(GLuint sampler, const float* rgba) {
#ifndef __EMSCRIPTEN__
  glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, rgba);
#else
  (void)sampler, (void)rgba;
#endif
}

inline void SetGlClearDepth(float z) {
#ifndef __EMSCRIPTEN__
  glClearDepth(z);
#else
  glClearDepthf(z);
#endif
}

// GLSL ES has a single colour output, which takes location 0 by itself.
inline void BindGlColourOutput(GLuint program, const char* name) {
#ifndef __EMSCRIPTEN__
  glBindFragDataLocation(program, 0, name);
#else
  (void)program, (void)name;
#endif
}

// Writes into the bound array buffer where no draw reads any more. WebGL 2
// cannot map buffers.
inline bool WriteGlArrayBuffer(size_t position, size_t bytes, const void* data) {
#ifndef __EMSCRIPTEN__
  void* target = glMapBufferRange(GL_ARRAY_BUFFER, position, bytes,
                                  GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT);
  if (!target) return false;
  std::memcpy(target, data, bytes);
  glUnmapBuffer(GL_ARRAY_BUFFER);
#else
  glBufferSubData(GL_ARRAY_BUFFER, position, bytes, data);
#endif
  return true;
}

// The read frame buffer as 32-bit A8R8G8B8 words, rows as GL counts them.
inline void ReadGlPixelsArgb(int width, int height, uint32_t* argb) {
#ifndef __EMSCRIPTEN__
  glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb);
#else
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, argb);
  for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i) {
    const uint8_t* rgba = reinterpret_cast<const uint8_t*>(argb + i);
    argb[i] = uint32_t(rgba[3]) << 24 | uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
  }
#endif
}

}  // namespace d3d9
