#include "game/play_state.h"

PlayState Play;
