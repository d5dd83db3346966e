#pragma once
// One colour per level (1 to 9): its flowers, its island's blossoms and the
// sparks that fly when a flower is collected share it.
#include "paint.h"

Rgba LevelColour(int level);
