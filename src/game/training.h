#pragma once
// The training level's lesson: markers hopping over the cells to fly to, and
// the cells whose triggers open the briefings (screens/briefings.h).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "d3dutil/math.h"

struct TrainingMarker {
  float phase = 0;  // radians of the hop
  int32_t cell = 0;
  D3DXVECTOR3 position;
  float width = 0.05f, height = 0.1f;  // interface units
  int32_t visible = 0;
  std::string texture;  // "arrow" or "m_tick"
};

struct TrainingState {
  // In creation order; emptied at every level start.
  std::vector<TrainingMarker> MarkerList;
  // Numbered briefings shown in this attempt.
  int32_t briefingCount = 0;
};
extern TrainingState Training;

// The cell whose marker shows from the start of the lesson.
constexpr int FirstMarkerCell = 68;
// Cells of the tool briefings.
constexpr int HammerBriefingCell = 195;
constexpr int BinocularsBriefingCell = 298;
constexpr int UseToolsBriefingCell = 236;

// The cells whose markers numbered briefing k reveals; empty for a briefing
// without a range (k outside 0 .. 3).
std::span<const int> markerReveal(int briefing);

// Shows or hides the markers over `cell`.
void showMarkersOn(int cell, int visible);
// One marker per plain trigger of the loaded level.
void createMarkers();
// One frame of each shown marker's hop.
void hopMarkers(std::vector<TrainingMarker>& markers);
// The shown markers over their cells, as interface quads.
void drawMarkers(const std::vector<TrainingMarker>& markers);
