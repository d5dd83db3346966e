#include "sound/game_sounds.h"
#include "ui/menu_sounds.h"

void PlayClickSound() { PlayEffect(GameSound::MenuClick); }
void PlayHoverSound() { PlayEffect(GameSound::MenuHover); }
void PlayNoticeSound() { PlayEffect(GameSound::Notice); }
