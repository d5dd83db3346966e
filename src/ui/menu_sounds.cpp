#include "sound/game_sounds.h"
#include "ui/menu_sounds.h"

void PlayClickSound() { PlayEffect("snd\\menu_button_click.wav"); }
void PlayHoverSound() { PlayEffect("snd\\menu_button_over.wav"); }
void PlayNoticeSound() { PlayEffect("snd\\attention.wav"); }
