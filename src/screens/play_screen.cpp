#include "screens/play_screen.h"

#include "game/cell_rules.h"
#include "game/play_state.h"
#include "screens/menu_screens.h"
#include "screens/start_level.h"
#include "ui/layout_loader.h"
#include "ui/screen_wiring.h"
#include "ui/widget_list.h"

void showPlayScreen() {
  ClearWidgets();
  LoadLayout("camera");
  OnActionWithHoverSound("useEye", [] { useBinoculars(Level); });
  OnActionWithHoverSound("ingame", ShowInGameMenu);
  Play.modalState = ModalPlay;
}

void showBriefing(const char* layout) {
  LoadLayout(layout);
  OnAction("button1", showPlayScreen);
  Play.modalState = ModalOpen;
}

void showTrainingStart() {
  Play.modalState = ModalOpening;
  LoadLayout("briefStart");
  OnAction("button1", showPlayScreen);
  OnAction("skip", finishLevel);
}

void showTrainingFinish() {
  Play.modalState = ModalOpening;
  ClearWidgets();
  LoadLayout("briefFinish");
  OnAction("button1", finishLevel);
}
