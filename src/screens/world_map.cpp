#include "screens/world_map.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/engine_state.h"
#include "core/modes.h"
#include "d3dutil/math.h"
#include "platform/time.h"
#include "profile/profiles.h"
#include "screens/menu_screens.h"
#include "screens/profile_stats.h"
#include "screens/results_screen.h"
#include "screens/screen_links.h"
#include "screens/start_level.h"
#include "sound/game_sounds.h"
#include "ui/layout_loader.h"
#include "ui/screen_wiring.h"
#include "ui/widget_list.h"

WorldMapState WorldMap;

namespace {
constexpr uint32_t DotDelayMs = 150;
constexpr int32_t DotFadeMs = 170;
constexpr int32_t ArrowFadeMs = 570;
constexpr float ArrowOffsetX = 0.03f, ArrowWidth = 0.04f, ArrowHeight = 0.09f;
constexpr float ArrowRestLift = 0.09f;
constexpr float ArrowBobLift = 0.05f, ArrowBobHeight = 0.04f;

void switchGameOff() { SetModeActive("game", 0); }

// Starts a fade-in `delayMs` from now that lasts `durationMs`.
void fadeInLater(Widget& widget, uint32_t delayMs, int32_t durationMs) {
  FadeIn(widget);
  widget.timer.StartIn(static_cast<int32_t>(delayMs));
  widget.timer.duration = durationMs;
}

void wireBackButton() {
  ButtonWidget& back = FindButton("back_to_menu");
  // The round's scene stays behind the map until the map has faded in.
  back.onShown = switchGameOff;
  back.onAction = EnterMainMenu;
  back.onHoverEnter = PlayHoverSound;
}

void hideLockedLevels(int n) {
  for (int level = n + 1; level <= MapLevels; ++level) FadeAway(FindImage(NumberedName("isle", level)));
  FindButton(NumberedName("k_", n)).texture1 = "k_10";
  for (int level = n + 1; level <= MapLevels; ++level) FadeAway(FindButton(NumberedName("k_", level)));
}

void showMedals(int n) {
  const ConfigNode& profile = CurrentProfileNode();
  for (int level = 1; level < n; ++level)
    if (const char* texture = medalTexture(profile.Get(NumberedKey("reward", level)).AsInt()))
      FindImage(NumberedName("medal", level)).texture = texture;
  for (int level = n; level <= MapLevels; ++level) FadeAway(FindImage(NumberedName("medal", level)));
}

void wireLevelButtons() {
  for (int level = 1; level <= MapLevels; ++level) {
    ButtonWidget& button = FindButton(NumberedName("k_", level));
    button.onAction = [level] { startLevel(level - 1); };
    button.onHoverEnter = PlayHoverSound;
  }
}

void drawPath(int n) {
  for (int dot = 1; dot <= MapDots; ++dot) FadeAway(FindImage(NumberedName("point", dot)));
  const DotRange old = dotsAtOnce(n);
  for (int dot = old.first; dot <= old.last; ++dot) FadeIn(FindImage(NumberedName("point", dot)));
  const DotRange stretch = newestStretch(n);
  for (int dot = stretch.first; dot <= stretch.last; ++dot)
    fadeInLater(FindImage(NumberedName("point", dot)), (dot - pathEnd[n]) * DotDelayMs, DotFadeMs);
}

void placeArrow(int n) {
  const ButtonWidget& newest = FindButton(NumberedName("k_", n));
  WorldMap.arrowBaseX = newest.x;
  WorldMap.arrowBaseY = newest.y;
  WorldMap.arrowPhase = 0;
  ImageWidget& arrow = FindImage("map_arrow");
  arrow.x = WorldMap.arrowBaseX + ArrowOffsetX;
  arrow.y = WorldMap.arrowBaseY - ArrowRestLift;
  arrow.width = ArrowWidth;
  arrow.height = ArrowHeight;
  FadeIn(arrow);
  // Once every level is won there is no new stretch to wait for.
  if (n > 1) {
    const DotRange stretch = newestStretch(n);
    const uint32_t dots = stretch.empty() ? 0 : static_cast<uint32_t>(stretch.last - stretch.first + 1);
    fadeInLater(arrow, dots * DotDelayMs, ArrowFadeMs);
  }
}
}  // namespace

DotRange dotsAtOnce(int n) {
  if (n <= 2 || n > AllLevelsWon) return {};
  return {1, pathEnd[n]};
}

DotRange newestStretch(int n) {
  if (n <= 1 || n >= AllLevelsWon) return {};
  return {pathEnd[n] + 1, pathEnd[n + 1]};
}

int openedMaps() { return std::clamp(CurrentProfileNode().Get("opened_maps").AsInt(), 1, AllLevelsWon); }

void showWorldMap(int immediate) {
  PlayEffect(GameSound::MenuClick);
  stopMedalSparkles();
  ClearWidgets();
  LoadLayout("game_map");
  Widget& cover = FindImage("m2");
  if (immediate)
    HideAtOnce(cover);
  else
    FadeOut(cover);
  WorldMap.mapShown = 1;
  SetModeActive("menu", 1);
  wireBackButton();

  const int n = openedMaps();
  hideLockedLevels(n);
  showMedals(n);
  wireLevelButtons();
  drawPath(n);
  placeArrow(n);
}

void animateMapArrow() {
  uint8_t escape = VK_ESCAPE;
  Messages.LastKeyUp.compare_exchange_strong(escape, 0);
  if (!WorldMap.mapShown || openedMaps() > MapLevels) return;
  WorldMap.arrowPhase += PerFrame(6.0f);
  if (WorldMap.arrowPhase > D3DX_PI) WorldMap.arrowPhase = 0;
  ImageWidget& arrow = FindImage("map_arrow");
  arrow.x = WorldMap.arrowBaseX + ArrowOffsetX;
  arrow.y = WorldMap.arrowBaseY - ArrowBobHeight * std::sin(WorldMap.arrowPhase) - ArrowBobLift;
  arrow.width = ArrowWidth;
  arrow.height = ArrowHeight;
}

void linkMapScreens() {
  ScreenLinks.showWorldMap = showWorldMap;
  ScreenLinks.showProfileStats = showProfileStats;
}
