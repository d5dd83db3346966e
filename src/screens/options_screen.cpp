#include "core/options.h"
#include "screens/menu_screens.h"
#include "ui/layout_loader.h"
#include "ui/screen_wiring.h"

namespace {

template <int Choice>
void SelectResolution() {
  PlayClickSound();
  Menu.ResolutionSelection = Choice;
}

void ToggleWindowMode() {
  PlayClickSound();
  Options.fullScreen = Options.fullScreen ? 0 : 1;
  Options.OptionsChanged = 1;
}

// Heights of the resolution mark for choices 1, 2 and 3.
constexpr float kTickRows[3] = {0.528f, 0.625f, 0.72f};

}  // namespace

void ShowOptions() {
  PlayClickSound();
  ClearWidgets();
  LoadLayout("options");
  FadeOut(FindImage("m1"));
  OnActionWithHoverSound("back", EnterMainMenu);
  OnActionWithHoverSound("apply", ApplyOptions);
  OnActionWithHoverSound("res1", SelectResolution<1>);
  OnActionWithHoverSound("res2", SelectResolution<2>);
  OnActionWithHoverSound("res3", SelectResolution<3>);
  OnActionWithHoverSound("winmode", ToggleWindowMode);
  Menu.ResolutionSelection = Options.ResolutionChoice;
  Menu.MenuPage = PageOptions;
}

// Changes take effect at the next start: the window mode is written by the
// next save of the options, the resolution when leaving through the credits.
void ApplyOptions() {
  PlayClickSound();
  if (Menu.ResolutionSelection == Options.ResolutionChoice && Options.OptionsChanged == 0) {
    EnterMainMenu();
    return;
  }
  Options.ResolutionChoice = Menu.ResolutionSelection;
  Options.OptionsChanged = 0;
  ShowOptionsNotice();
}

void ShowOptionsNotice() {
  PlayNoticeSound();
  ClearWidgets();
  LoadLayout("op_change");
  OnActionWithHoverSound("ok", EnterMainMenu);
}

void MarkOptionsChoices() {
  if (Menu.MenuPage != PageOptions) return;
  if (Menu.ResolutionSelection >= 1 && Menu.ResolutionSelection <= 3)
    FindImage("tick").y = kTickRows[Menu.ResolutionSelection - 1];
  Widget& windowed = FindWidget("tick2");
  windowed.visible = Options.fullScreen == 1 ? 0 : 1;
  windowed.timer.start = TimerLongAgo;
}
