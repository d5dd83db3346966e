#include <emscripten/html5.h>

#include <cstdio>

#include "platform/d3d9/gl/gl_api.h"
#include "platform/d3d9/gl/gl_surface.h"

namespace d3d9 {
namespace {
// A canvas has one WebGL context for its whole life: the probe's is kept for
// the device.
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE canvasContext = 0;
GlContextState canvasContextState = GlContextState::Live;

// Taking the loss (true) tells the browser that the page makes its objects
// again, without which it never gives the context back.
EM_BOOL OnContextLost(int, const void*, void*) {
  std::fprintf(stderr, "Kestrin: the WebGL context is lost; waiting for the browser to give it back\n");
  canvasContextState = GlContextState::Lost;
  return EM_TRUE;
}

// Extensions are enabled per context: the one the samplers use again.
EM_BOOL OnContextRestored(int, const void*, void*) {
  emscripten_webgl_enable_extension(canvasContext, "EXT_texture_filter_anisotropic");
  canvasContextState = GlContextState::BackEmpty;
  return EM_TRUE;
}

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE CanvasContext() {
  if (canvasContext > 0) return canvasContext;
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.minorVersion = 0;
  // The device draws into its own buffers, multisampled on request.
  attributes.antialias = EM_FALSE;
  attributes.depth = EM_FALSE;
  attributes.alpha = EM_FALSE;
  canvasContext = emscripten_webgl_create_context("#canvas", &attributes);
  if (canvasContext <= 0) {
    std::fprintf(stderr, "Kestrin: no WebGL 2 context (%d)\n", static_cast<int>(canvasContext));
    canvasContext = 0;
    return canvasContext;
  }
  emscripten_set_webglcontextlost_callback("#canvas", nullptr, EM_FALSE, OnContextLost);
  emscripten_set_webglcontextrestored_callback("#canvas", nullptr, EM_FALSE, OnContextRestored);
  return canvasContext;
}

GlContext AsContext(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle) {
  return reinterpret_cast<GlContext>(static_cast<intptr_t>(handle));
}
}  // namespace

GlContext CreateGlContext(HWND) {
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = CanvasContext();
  if (!context || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) return nullptr;
  return AsContext(context);
}

void DeleteGlContext(HWND, GlContext) {}

bool MakeGlContextCurrent(HWND, GlContext context) {
  auto handle = static_cast<EMSCRIPTEN_WEBGL_CONTEXT_HANDLE>(reinterpret_cast<intptr_t>(context));
  return emscripten_webgl_make_context_current(handle) == EMSCRIPTEN_RESULT_SUCCESS;
}

GlContext CurrentGlContext() { return AsContext(emscripten_webgl_get_current_context()); }

void GetGlDrawableSize(HWND, int* width, int* height) {
  emscripten_get_canvas_element_size("#canvas", width, height);
}

// The browser shows the canvas when the frame's callback returns.
void SwapGlWindow(HWND) {}

bool HasGlExtension(const char* name) {
  // WebGL names its extensions without the "GL_" of desktop GL.
  const char* webName = name[0] == 'G' && name[1] == 'L' && name[2] == '_' ? name + 3 : name;
  return emscripten_webgl_enable_extension(emscripten_webgl_get_current_context(), webName);
}

bool KeepImageTopRowFirst() { return false; }

GlContextState GlContextStatus() { return canvasContextState; }

void GlContextRefilled() {
  if (canvasContextState == GlContextState::BackEmpty) canvasContextState = GlContextState::Live;
}

bool ReadWithProbeContext(const std::function<bool()>& read) {
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = CanvasContext();
  return context && emscripten_webgl_make_context_current(context) == EMSCRIPTEN_RESULT_SUCCESS && read();
}

}  // namespace d3d9
