#include "sound/game_sounds.h"
#include "screens/menu_screens.h"

void PlayClickSound() { PlayEffect("snd\\menu_button_click.wav"); }
void PlayHoverSound() { PlayEffect("snd\\menu_button_over.wav"); }
void PlayNoticeSound() { PlayEffect("snd\\attention.wav"); }
