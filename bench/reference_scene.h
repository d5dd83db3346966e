#pragma once
// The cheapest way to put a frame's triangles on the screen, to measure the
// game against: every triangle of one recorded frame, already transformed,
// in one vertex buffer drawn with one texture (square, as large as the
// frame's largest, trilinear), one trivial shader pair (texture times
// colour), alpha blending, one depth test and one draw call.
#include <string>
#include <vector>

#include "bench_device.h"
#include "platform/d3d9/recording/recording_device.h"

namespace bench {

// Clip-space position, colour and the first texture coordinates.
struct ReferenceVertex {
  float x, y, z, w;
  D3DCOLOR colour;
  float u, v;
};
static_assert(sizeof(ReferenceVertex) == 28);

struct ReferenceScene {
  int draws = 0;                          // draw calls of the recorded frame
  int textureSize = 256;                  // the longest side of the frame's textures
  std::vector<ReferenceVertex> triangles;  // a triangle list
};

// The triangles of the draws as the fixed-function pipeline places them:
// positions times world, view and projection (or pre-transformed positions
// turned back into clip space). Points and lines are left out.
ReferenceScene FlattenDraws(const std::vector<d3d9::RecordedDraw>& draws, int width, int height);

bool SaveReferenceScene(const std::string& path, const ReferenceScene& scene);
bool LoadReferenceScene(const std::string& path, ReferenceScene* scene);

// Draws the scene `frames` times back to back in a window of its own at
// width x height and returns the time of each frame. `screenshot`, when not
// empty, receives the last frame as a PNG.
TimedRun TimeReferenceScene(const ReferenceScene& scene, int width, int height, int frames,
                                       const std::string& screenshot, std::string* why);

}  // namespace bench
