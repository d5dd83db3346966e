#pragma once
// The menu screens: each screen operation loads its layout into the widget
// list and wires the widgets it finds by name.
#include <cstdint>

#include "ui/menu_sounds.h"

enum MenuPageNumber : int32_t { PageMainMenu = 0, PageOptions = 3, PageCredits = 4 };

struct MenuState {
  // Which menu page is up: read by MarkOptionsChoices.
  int32_t MenuPage = PageMainMenu;
  // The resolution marked on the options screen: 1 = 640 x 480,
  // 2 = 800 x 600, 3 = 1024 x 768.
  int32_t ResolutionSelection = 0;
};
extern MenuState Menu;

void EnterMainMenu();
void ShowEnterName(int slot);
void ShowProfileManager();
void HideProfileSummary(int slot);
void ShowOptions();
void ApplyOptions();
void ShowOptionsNotice();
void ShowCredits();
void ShowRewards();
void ShowInGameMenu();
void SetVolume(int level);

// Keeps the options screen's marks on the chosen resolution and window mode
// (part of the "menu" mode's update, screens/menu_mode.h).
void MarkOptionsChoices();


