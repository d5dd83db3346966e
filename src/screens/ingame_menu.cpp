#include "game/play_state.h"
#include "screens/menu_screens.h"
#include "screens/screen_links.h"
#include "sound/game_sounds.h"
#include "ui/layout_loader.h"
#include "ui/screen_wiring.h"

namespace {

constexpr int kVolumeSteps = 9;
constexpr int kMenuOpen = 2;  // play is frozen while the menu is open

void BackToRound() {
  if (ScreenLinks.showPlayScreen) ScreenLinks.showPlayScreen();
}

void RestartLevel() {
  if (ScreenLinks.replayLevel) ScreenLinks.replayLevel();
}

// Only a step whose state changes fades, so that pressing a button does not
// make the steps that stay lit (or dark) flash.
void ShowStep(Widget& step, bool lit) {
  if (!lit) return FadeAway(step);
  if (!step.visible || step.fadeOut) FadeIn(step);
}

}  // namespace

// An overlay: the round's widgets stay and are drawn under it.
void ShowInGameMenu() {
  Play.modalState = kMenuOpen;
  LoadLayout("ingamemenu");
  OnActionWithHoverSound("ingame", BackToRound);
  OnActionWithHoverSound("back", BackToRound);
  OnActionWithHoverSound("res_level", RestartLevel);
  OnActionWithHoverSound("go_to_main", EnterMainMenu);
  for (int level = 1; level <= kVolumeSteps; ++level)
    OnActionWithHoverSound(NumberedName("vol_button_", level), [level] { SetVolume(level); });
  if (Sound.VolumeLevel >= 1 && Sound.VolumeLevel <= kVolumeSteps) SetVolume(Sound.VolumeLevel);
}

void SetVolume(int level) {
  Sound.VolumeLevel = level;
  for (int step = 1; step <= kVolumeSteps; ++step) ShowStep(FindWidget(NumberedName("vol_imame_", step)), step <= level);
  ApplyVolume(level);
}
