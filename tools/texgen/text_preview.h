#pragma once
// Sample lines set with the font sheets the way the game draws text, at the
// sizes the screens use, for a person to judge legibility.
#include <string>
#include <vector>

#include "font_sheets.h"

bool WriteTextPreview(const std::string& path, const std::vector<FontSheet>& fonts);
