#pragma once
// What the benchmarks that draw through the OpenGL device share: a headless
// window with a device of the back buffer's size, a patterned texture, and
// shaders from assembly text.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9.h"

namespace bench {

// Headless where there is no display, no Mesa shader cache written under the
// home folder, and the heap settings the game uses.
void PrepareHeadless();

struct GlWindow {
  HWND window = nullptr;
  d3d9::Direct3D* direct3d = nullptr;
  d3d9::Device* device = nullptr;

  bool Open(int width, int height, std::string* why);
  void Close();
};

// A size x size A8R8G8B8 texture with its full mip chain: a checker of opaque
// white and half-transparent orange.
d3d9::Texture* CreatePatternTexture(d3d9::Device* device, int size);

d3d9::VertexShader* AssembleVertexShader(d3d9::Device* device, const char* text, std::string* why);
d3d9::PixelShader* AssemblePixelShader(d3d9::Device* device, const char* text, std::string* why);

// Processor time of all threads of this process so far, in seconds.
double ProcessCpuSeconds();

struct TimedRun {
  std::vector<double> frameMs;  // real time from the end of one frame to the end of the next
  double cpuMsPerFrame = 0;     // processor time of all threads, the rasterizer's included
};

}  // namespace bench
