#include "game/draw_game.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/frustum.h"
#include "core/graphics_device.h"
#include "game/bee.h"
#include "game/board.h"
#include "game/cell_appearance.h"
#include "game/hidden_scenery.h"
#include "game/kept_scenery.h"
#include "game/level_files.h"
#include "game/play_state.h"
#include "game/training.h"
#include "render/interface_quads.h"
#include "render/material.h"
#include "render/mesh_registry.h"
#include "render/particles.h"
#include "render/texture_cache.h"
#include "ui/widget_list.h"

namespace {
constexpr float FlowerHeight = 17.1f, ItemHeight = 17.6f;
constexpr float PlateRaise = 0.1f;
constexpr float IconSize = 0.08f, IconStep = 0.08f, IconsLeft = 0.28f;
constexpr int LifeIcons = 3;
constexpr float StatusBarTop = 1.2975f, StatusBarHeight = 0.21f;

D3DXVECTOR3 above(const HexCell& cell, float height) { return D3DXVECTOR3(cell.x, height, cell.y); }

int64_t area(const RECT& r) { return int64_t(r.right - r.left) * (r.bottom - r.top); }

RECT unionOf(const RECT& a, const RECT& b) {
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

// Each rectangle costs a draw of the sky's vertices (about 0.06 ms here, a
// sixth of the whole sky): neighbours are joined, those whose union adds
// the fewest pixels first, down to a few.
constexpr size_t SkyDrawsAtMost = 4;

std::vector<RECT> joinedRects(const d3d9::OpenRects& open) {
  std::vector<RECT> rects(open.rects, open.rects + std::min(open.count, d3d9::OpenRects::Most));
  while (rects.size() > SkyDrawsAtMost) {
    size_t best = 0;
    int64_t fewestAdded = INT64_MAX;
    for (size_t i = 0; i + 1 < rects.size(); ++i) {
      const int64_t added = area(unionOf(rects[i], rects[i + 1])) - area(rects[i]) - area(rects[i + 1]);
      if (added < fewestAdded) fewestAdded = added, best = i;
    }
    rects[best] = unionOf(rects[best], rects[best + 1]);
    rects.erase(rects.begin() + ptrdiff_t(best) + 1);
  }
  return rects;
}

// The sky is not lit: it shows its texture as it is. Over a kept frame it
// is drawn only where neither the scenery nor the cells were (the scenery
// lies inside the sky, so it is nearer wherever it was drawn): the
// rasterizer is spared the rest of the screen.
void drawSky(float skyAngle, const d3d9::OpenRects* open) {
  if (open && open->count == 0) return;
  Materials.bindMaterial("empty");
  Textures.bindTexture(0, "newsky");
  const Mesh sky = Meshes.find("skybox");
  const D3DXVECTOR3 middle(20, -100, 20);
  constexpr float Radius = 300;
  const std::vector<VertexRun>* runs =
      sky.root ? visibleSkyRuns(*sky.root, meshPlacing(middle, 0, skyAngle, 0, Radius)) : nullptr;
  const auto draw = [&] { sky.drawTransformed(middle, 0, skyAngle, 0, Radius, runs); };
  if (!open || !Device) return draw();
  Device->SetRenderState(D3DRS_SCISSORTESTENABLE, 1);
  for (const RECT& rect : joinedRects(*open)) {
    Device->SetScissorRect(&rect);
    draw();
  }
  Device->SetRenderState(D3DRS_SCISSORTESTENABLE, 0);
}

// The box around every node of a model, each placed by its matrix.
void growBox(const MeshNode& node, D3DXVECTOR3& low, D3DXVECTOR3& high) {
  if (node.vertexCount > 0) {
    for (int i = 0; i < 8; ++i) {
      const D3DXVECTOR3 corner(i & 1 ? node.boundsMax.x : node.boundsMin.x, i & 2 ? node.boundsMax.y : node.boundsMin.y,
                               i & 4 ? node.boundsMax.z : node.boundsMin.z);
      D3DXVECTOR3 placed;
      D3DXVec3TransformCoord(&placed, &corner, &node.matrix);
      low = D3DXVECTOR3(std::min(low.x, placed.x), std::min(low.y, placed.y), std::min(low.z, placed.z));
      high = D3DXVECTOR3(std::max(high.x, placed.x), std::max(high.y, placed.y), std::max(high.z, placed.z));
    }
  }
  for (const auto& child : node.children) growBox(*child, low, high);
}

// Scenery wholly outside the view would be clipped away whole, and scenery
// wholly under the opaque interface rejected by depth: leaving it out changes
// no pixel and spares the rasterizer all its vertices.
bool sceneryShown(const Mesh& mesh, const SceneObject& object) {
  if (!mesh.root) return true;
  D3DXVECTOR3 low(FLT_MAX, FLT_MAX, FLT_MAX), high(-FLT_MAX, -FLT_MAX, -FLT_MAX);
  growBox(*mesh.root, low, high);
  if (low.x > high.x) return true;
  const D3DXVECTOR3 centre = (low + high) * 0.5f, extent = high - low;
  const D3DXMATRIX placing = sceneObjectPlacing(object);
  D3DXVECTOR3 placed;
  D3DXVec3TransformCoord(&placed, &centre, &placing);
  return SphereVisible(placed, 0.5f * D3DXVec3Length(&extent) * std::fabs(object.scale)) &&
         !boxUnderInterface(low, high, placing);
}

// The islands are closed, so their back faces are never seen: culling them
// spares the rasterizer the hidden half of every island. A negative scale
// mirrors the model and turns its winding round.
D3DCULL sceneryCulling(const SceneObject& object) {
  if (std::strncmp(object.meshName, "l_island", 8) != 0) return D3DCULL_NONE;
  return object.scale < 0 ? D3DCULL_CW : D3DCULL_CCW;
}

// Ending the scene hands what is drawn so far (the board) to the driver now
// rather than at the end of the frame: a software rasterizer shades it on its
// own threads while the rest is still being submitted.
void handOverToDriver() {
  if (!Device) return;
  Device->EndScene();
  Device->BeginScene();
}

void setCulling(D3DCULL mode) {
  if (Device) Device->SetRenderState(D3DRS_CULLMODE, mode);
}

// The scenery's, the sky's and the cells' faces' textures are wholly opaque
// (the content's tests hold them to it): unblended, they spare the rasterizer
// reading back every pixel they cover.
void setBlending(bool on) {
  if (Device) Device->SetRenderState(D3DRS_ALPHABLENDENABLE, on ? 1 : 0);
}

// Keeping a frame waits until the scenery in it is shaded: handed to the
// driver every few objects, it is shaded on the rasterizer's threads while
// the rest is still being submitted.
constexpr size_t KeptSceneryHandOverEvery = 4;

void drawScenery(bool handOverOften) {
  Materials.bindMaterial("diffuse");
  for (size_t i = 0; i < Levels.SceneObjectList.size(); ++i) {
    if (handOverOften && i > 0 && i % KeptSceneryHandOverEvery == 0) handOverToDriver();
    const SceneObject& object = Levels.SceneObjectList[i];
    if (Meshes.names.indexOf(object.meshName) < 0) continue;
    Textures.bindTexture(0, object.textureName);
    const Mesh mesh = Meshes.find(object.meshName);
    if (!sceneryShown(mesh, object)) continue;
    const D3DXVECTOR3 at(object.position[0], object.position[1], object.position[2]);
    setCulling(sceneryCulling(object));
    mesh.drawTransformed(at, 0, object.yaw, 0, object.scale, visibleGroundRuns(i));
  }
  setCulling(D3DCULL_NONE);
}

void drawPickups(const LevelBoard& board, const PlayState& play) {
  const Mesh flower = Meshes.find("flower");
  const Mesh binoculars = Meshes.find("l_binokl");
  const Mesh hammer = Meshes.find("l_molot");
  for (int i = 0; i < board.cellCount; ++i) {
    if (!cellExists(board, i)) continue;
    const HexCell& cell = board.cells[i];
    if (cell.flower) {
      Materials.bindMaterial("specular");
      Textures.bindTexture(0, play.flowerTexture.c_str());
      flower.drawAt(above(cell, FlowerHeight), 0.15f);
      Materials.bindMaterial("diffuse");
    }
    const int item = i < static_cast<int>(board.cellItems.size()) ? board.cellItems[i] : ItemNone;
    if (item == ItemBinoculars) {
      Textures.bindTexture(0, "binokol");
      binoculars.drawTransformed(above(cell, ItemHeight), 0, play.spinAngle, 0, 0.03f);
    } else if (item == ItemHammer) {
      Textures.bindTexture(0, "molot");
      hammer.drawTransformed(above(cell, ItemHeight), 0, play.spinAngle + 30, 0, 0.03f);
    }
  }
}

// A cell from under its rim to the top of its number plate.
bool cellUnderInterface(const HexCell& cell) {
  const D3DXVECTOR3 low(-1, BoardPlaneHeight - 0.1f, -1), high(1, BoardPlaneHeight + 0.2f, 1);
  D3DXMATRIX at;
  D3DXMatrixTranslation(&at, cell.x, 0, cell.y);
  return boxUnderInterface(low, high, at);
}

bool inView(const HexCell& cell) { return SphereVisible(above(cell, BoardPlaneHeight), 1.0f); }

void drawTile(const Mesh& hexagon, const HexCell& cell, const char* texture) {
  Textures.bindTexture(0, texture);
  hexagon.drawTransformed(above(cell, BoardPlaneHeight), 0, 0, 180, 1);
}

void drawCellFace(const Mesh& hexagon, const HexCell& cell) {
  const std::string texture = cellTexture(cell);
  if (cellCullable(cell)) {
    if (inView(cell)) drawTile(hexagon, cell, texture.c_str());
    return;
  }
  Textures.bindTexture(0, texture.c_str());
  hexagon.drawAt(above(cell, BoardPlaneHeight), 1);
}

void drawNumberPlate(const Mesh& hexagon, const HexCell& cell) {
  if (cellCullable(cell)) return;
  Textures.bindTexture(0, cellNumberTexture(cell).c_str());
  hexagon.drawTransformed(above(cell, BoardPlaneHeight + PlateRaise), 180, -90, 0, 0.5f);
}

void drawHighlight(const LevelBoard& board, const Mesh& hexagon, int index, const char* texture) {
  if (cellExists(board, index) && inView(board.cells[index])) drawTile(hexagon, board.cells[index], texture);
}

void drawCells(const LevelBoard& board, const PlayState& play) {
  Materials.bindMaterial("empty");
  const Mesh hexagon = Meshes.find("hexagon");
  std::vector<int> shown;
  for (int i = 0; i < board.cellCount; ++i)
    if (cellExists(board, i) && !cellUnderInterface(board.cells[i])) shown.push_back(i);
  // The faces are opaque; only the plates and highlights over them blend.
  setBlending(false);
  for (int i : shown) drawCellFace(hexagon, board.cells[i]);
  setBlending(true);
  for (int i : shown) drawNumberPlate(hexagon, board.cells[i]);
  const int pointerCell = cellAt(board, play.boardPointX, play.boardPointY);
  drawHighlight(board, hexagon, board.currentCell, BeeCellHighlight);
  drawHighlight(board, hexagon, pointerCell, PointerCellHighlight);
}

void drawFlags(const LevelBoard& board) {
  Materials.bindMaterial("empty");
  Textures.bindTexture(0, "flag");
  const Mesh flag = Meshes.find("flag");
  for (int i = 0; i < board.cellCount; ++i)
    if (cellExists(board, i) && board.cells[i].flagged) flag.drawAt(above(board.cells[i], BoardPlaneHeight), 0.5f);
}

void drawStatusBar(const LevelBoard& board) {
  drawQuad("empty", 0, StatusBarTop, 2.0f, StatusBarHeight);
  uncoverSceneUnderQuad("empty", 0, StatusBarTop, 2.0f, StatusBarHeight);
  for (int i = 0; i < LifeIcons; ++i)
    drawQuad(i < board.lives - 1 ? "life" : "life2", IconsLeft + IconStep * i, 1.4f, IconSize, IconSize);
  for (int i = 0; i < board.flowerCount; ++i)
    drawQuad(i < board.flowersTaken ? "i_flower_en" : "i_flower_dis", IconsLeft + IconStep * i, 1.33f, IconSize,
             IconSize);
}

}  // namespace

void drawRound(const LevelBoard& board, const PlayState& play, const Bee& bee, const TrainingState& training) {
  // While the camera stands still the scenery comes from the device's copy,
  // drawn once into the cleared frame and kept; while it moves it is drawn
  // after the cells, which hide the ground under the board from the shader.
  const uint64_t tag = sceneryTag();
  d3d9::OpenRects open;
  const bool restored = Device && Device->RestoreKeptFrame(tag, &open) == D3D_OK;
  const bool keep = !restored && play.cameraStill;
  if (keep) {
    setBlending(false);
    drawScenery(true);
    if (Device) Device->KeepFrame(tag);
    setBlending(true);
    // The cells lie over the kept scenery in every frame: what neither
    // covers is where the sky can show.
    drawCells(board, play);
    if (Device) Device->NoteKeptFrameOpenRects();
  }
  // What the interface will cover wholly is not shaded under it.
  HideSceneUnderOpaqueImages();
  if (!play.resultsShown) hideSceneUnderQuad("empty", 0, StatusBarTop, 2.0f, StatusBarHeight);
  // Opaque things nearest first, with the depth test on, so the rasterizer
  // does not shade what they hide: the cells (their textures are opaque to
  // the edge; plates and highlights blend only over their own cell) lie over
  // the island, the scenery before the sky behind all of it.
  if (!keep) drawCells(board, play);
  handOverToDriver();
  setBlending(false);
  if (!restored && !keep) drawScenery(false);
  drawSky(play.skyAngle, restored ? &open : nullptr);
  setBlending(true);
  drawPickups(board, play);
  bee.draw();
  drawMarkers(training.MarkerList);
  drawFlags(board);
  bee.drawWings();
  if (!play.resultsShown) drawStatusBar(board);
  // A burst near the bottom of the screen shows over the bar.
  drawParticleEmitters();
}

void drawGame() { drawRound(Level, Play, TheBee, Training); }
