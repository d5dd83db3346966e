#include "screens/briefings.h"

#include <cstdio>

#include "game/board.h"
#include "game/briefing_flights.h"
#include "game/training.h"
#include "screens/play_screen.h"

namespace {
// The tool briefing a plain trigger opens, or null.
const char* toolBriefing(int cell, bool arrow) {
  if (!arrow && cell == HammerBriefingCell) return "brief_molot";
  if (!arrow && cell == BinocularsBriefingCell) return "brief_binocl";
  if (arrow && cell == UseToolsBriefingCell) return "brief_use";
  return nullptr;
}

void firePlainTrigger(int cell) {
  TriggerRecord& trigger = Level.triggers[cell];
  if (const char* layout = toolBriefing(cell, trigger.arrow != 0)) showBriefing(layout);
  trigger.active = 0;
  showMarkersOn(cell, 0);
  // Raising a hole's content to 0 makes a new cell rise from the sea.
  if (inBoard(Level, trigger.link)) ++Level.cells[trigger.link].content;
}

void fireBriefingTrigger(int cell) {
  TriggerRecord& trigger = Level.triggers[cell];
  const int k = Training.briefingCount;
  char layout[32];
  std::snprintf(layout, sizeof layout, "brief%d", k);
  showBriefing(layout);
  startBriefingFlight(k);
  Training.briefingCount = k + 1;
  for (int revealed : markerReveal(k)) showMarkersOn(revealed, 1);
  trigger.link = 0;
  trigger.active = 0;
}
}  // namespace

void handleTrigger(int cell) {
  if (!inBoard(Level, cell) || cell >= static_cast<int>(Level.triggers.size())) return;
  const TriggerRecord& trigger = Level.triggers[cell];
  if (!trigger.active) return;
  if (trigger.briefing)
    fireBriefingTrigger(cell);
  else
    firePlainTrigger(cell);
}
