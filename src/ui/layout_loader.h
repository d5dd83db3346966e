#pragma once
// Layout files "data\<name>.s": one block per widget, named "button", "edit",
// "image" or "label"; other blocks are read and skipped.
#include <string>

// Appends the widgets of the layout to the widget list (does not clear it
// first). A file that cannot be opened adds nothing. Each block read is also
// written to standard output as a trace.
void LoadLayout(const std::string& name);
// The name of the screen's layout shown last.
const std::string& ShownLayout();
