#include "level_colours.h"

Rgba LevelColour(int level) {
  // The flower sparks' colours of the levels 1 to 9, in the same order.
  static const uint32_t colours[10] = {0xFF6FA8, 0x1E5ED7, 0xFF8B4F, 0xFFB34F, 0x1CB3FC,
                                       0xFF4D87, 0xFF3E0D, 0xFFB300, 0x5E4DFC, 0xFFFF00};
  return Hex(colours[(level >= 1 && level <= 9) ? level : 0]);
}
