// Loaded into the real game with LD_PRELOAD by the start-up benchmark, so the
// game itself carries no measuring code. The loading screen is presented by
// the main thread; the first frame presented by another thread is the render
// thread's first frame, the main menu. The probe writes the monotonic clock
// at that moment to "startup_probe.txt" in the working directory and then
// asks the game to close, as the window's close button would.
#include <SDL.h>
#include <dlfcn.h>
#include <pthread.h>
#include <time.h>

#include <atomic>
#include <cstdio>

namespace {
pthread_t mainThread;
std::atomic<bool> noted{false};

__attribute__((constructor)) void RememberMainThread() { mainThread = pthread_self(); }

void NoteFirstMenuFrame() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  if (FILE* note = std::fopen("startup_probe.txt", "w")) {
    std::fprintf(note, "%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fclose(note);
  }
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}
}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
  using Swap = void (*)(SDL_Window*);
  static Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  if (real) real(window);
  if (!pthread_equal(pthread_self(), mainThread) && !noted.exchange(true)) NoteFirstMenuFrame();
}
