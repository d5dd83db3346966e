#include "game/round_warm_up.h"

#include <iterator>

#include "core/graphics_device.h"
#include "render/material.h"
#include "render/render_steps.h"
#include "render/shader_library.h"
#include "render/texture_cache.h"
#include "render/vertex.h"

namespace {

// The round's draws by program, blending and depth writing (drawRound, the
// bee, the billboards of the particles), and the depth cleared under the
// status bar. Every texture of the round has the sky's format and a mip chain.
struct RoundDraw {
  const char* programs;  // a material, or else a vertex and pixel program of that name
  bool blend = true;
  bool depthWrite = true;
};
const RoundDraw RoundDraws[] = {
    {"empty", false},          // the cells' faces, the sky
    {"empty"},                 // number plates, highlights, flags
    {"diffuse", false},        // the scenery
    {"diffuse"},               // pickups, the bee
    {"diffuse", true, false},  // the bee's wings
    {"specular"},              // flowers
    {"bill", true, false},     // particles
    {nullptr},                 // the depth cleared under the status bar
};
constexpr int FadeInFrames = 30;

int FramesWaited = 0;
size_t NextDraw = 0;

void drawNothingWith(const RoundDraw& draw) {
  if (!draw.programs) {
    // Depth was cleared to the far plane this frame: clearing it so again changes nothing.
    const D3DRECT pixel{0, 0, 1, 1};
    Device->Clear(1, &pixel, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    return;
  }
  if (Materials.find(draw.programs)) {
    Materials.bindMaterial(draw.programs);
  } else {
    Shaders.bindVertexProgram(draw.programs);
    Shaders.bindPixelProgram(draw.programs);
  }
  Textures.bindTexture(0, "newsky");
  Device->SetRenderState(D3DRS_ALPHABLENDENABLE, draw.blend);
  Device->SetRenderState(D3DRS_ZWRITEENABLE, draw.depthWrite);
  const Vertex point[3] = {};
  Device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, point, sizeof(Vertex));
  Device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
  Device->SetRenderState(D3DRS_ZWRITEENABLE, 1);
  BindSceneMaterialAndTexture();
}

}  // namespace

void warmUpRoundDraws() {
  if (!Device || NextDraw == std::size(RoundDraws) || FramesWaited++ < FadeInFrames) return;
  drawNothingWith(RoundDraws[NextDraw++]);
}
