#include <epoxy/gl.h>

#include <cstdio>

#include "platform/d3d9/gl/gl_surface.h"
#include "platform/sdl/window_internal.h"

namespace d3d9 {

GlContext CreateGlContext(HWND window) {
  SDL_Window* sdl = SdlWindowOf(window);
  if (!sdl) return nullptr;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GLContext context = SDL_GL_CreateContext(sdl);
  if (context && epoxy_gl_version() < 33) {
    SDL_GL_MakeCurrent(sdl, nullptr);
    SDL_GL_DeleteContext(context);
    context = nullptr;
  }
  if (!context) {
    std::fprintf(stderr, "Kestrin: no OpenGL 3.3 context: %s\n", SDL_GetError());
    return nullptr;
  }
  // No wait for the display: frames follow each other as fast as they can.
  SDL_GL_SetSwapInterval(0);
  return context;
}

void DeleteGlContext(HWND, GlContext context) { SDL_GL_DeleteContext(context); }

bool MakeGlContextCurrent(HWND window, GlContext context) {
  return SDL_GL_MakeCurrent(SdlWindowOf(window), context) == 0;
}

GlContext CurrentGlContext() { return SDL_GL_GetCurrentContext(); }

void GetGlDrawableSize(HWND window, int* width, int* height) {
  SDL_GL_GetDrawableSize(SdlWindowOf(window), width, height);
}

void SwapGlWindow(HWND window) { SDL_GL_SwapWindow(SdlWindowOf(window)); }

bool HasGlExtension(const char* name) { return epoxy_has_gl_extension(name); }

GlContextState GlContextStatus() { return GlContextState::Live; }

void GlContextRefilled() {}

bool KeepImageTopRowFirst() {
  if (epoxy_gl_version() < 45 && !epoxy_has_gl_extension("GL_ARB_clip_control")) return false;
  glClipControl(GL_UPPER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
  return true;
}

bool ReadWithProbeContext(const std::function<bool()>& read) {
  bool initialised = false;
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    initialised = true;
  }
  SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
  SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
  SDL_Window* window = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 16, 16,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  bool ok = false;
  if (window) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context) {
      ok = epoxy_gl_version() >= 33 && read();
      SDL_GL_MakeCurrent(window, nullptr);
      SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(window);
  }
  if (previousContext) SDL_GL_MakeCurrent(previousWindow, previousContext);
  if (initialised) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return ok;
}

}  // namespace d3d9
