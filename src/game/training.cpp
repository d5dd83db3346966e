#include "game/training.h"

#include <algorithm>
#include <cmath>

#include "core/engine_state.h"
#include "core/graphics_device.h"
#include "game/bee.h"
#include "game/board.h"
#include "render/interface_quads.h"

TrainingState Training;

namespace {
// The first cell shows from the start; then the cells each numbered
// briefing reveals, in the order of the briefings.
constexpr int RevealCells[] = {68,  52,  55,  112, 117, 221, 222, 223, 264, 283, 285, 302, 305, 344,
                               347, 364, 366, 367, 386, 195, 298, 236, 169, 249, 251, 293, 311, 269};
constexpr int RevealStart[] = {1, 5, 19, 23, sizeof RevealCells / sizeof RevealCells[0]};
constexpr int RevealRanges = sizeof RevealStart / sizeof RevealStart[0] - 1;

constexpr float MarkerHop = 0.04f;

// Where a point of the scene lands on the interface, by the scene's
// matrices; false behind the eye.
bool projectToInterface(const D3DXVECTOR3& point, float* x, float* y) {
  const D3DXMATRIX toClip = Graphics.WorldMatrix * Graphics.ViewMatrix * Graphics.ProjectionMatrix;
  D3DXVECTOR4 clip;
  D3DXVec3Transform(&clip, &point, &toClip);
  if (!(clip.z > 0)) return false;
  *x = 1 + clip.x / clip.z;
  *y = 0.75f - 0.75f * clip.y / clip.z;
  return true;
}
}  // namespace

std::span<const int> markerReveal(int briefing) {
  if (briefing < 0 || briefing >= RevealRanges) return {};
  return std::span<const int>(RevealCells + RevealStart[briefing], RevealCells + RevealStart[briefing + 1]);
}

void showMarkersOn(int cell, int visible) {
  for (TrainingMarker& marker : Training.MarkerList)
    if (marker.cell == cell) marker.visible = visible;
}

void createMarkers() {
  const int cells = std::min<int>(Level.cellCount, static_cast<int>(Level.triggers.size()));
  for (int i = 0; i < cells && inBoard(Level, i); ++i) {
    const TriggerRecord& trigger = Level.triggers[i];
    if (!trigger.active || trigger.briefing) continue;
    TrainingMarker marker;
    marker.texture = trigger.arrow ? "arrow" : "m_tick";
    marker.position = D3DXVECTOR3(Level.cells[i].x, BoardPlaneHeight, Level.cells[i].y);
    marker.cell = i;
    marker.visible = i == FirstMarkerCell;
    Training.MarkerList.push_back(marker);
  }
}

void hopMarkers(std::vector<TrainingMarker>& markers) {
  const float hopStep = PerFrame(6.0f);
  for (TrainingMarker& marker : markers) {
    if (!marker.visible) continue;
    marker.phase += hopStep;
    if (marker.phase > D3DX_PI) marker.phase = 0;
  }
}

void drawMarkers(const std::vector<TrainingMarker>& markers) {
  for (const TrainingMarker& marker : markers) {
    if (!marker.visible) continue;
    float x, y;
    if (!projectToInterface(marker.position, &x, &y)) continue;
    drawQuad(marker.texture.c_str(), x - 0.5f * marker.width, y - MarkerHop * std::sin(marker.phase) - marker.height,
             marker.width, marker.height);
  }
}
