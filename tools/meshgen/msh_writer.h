#pragma once
// Writes a model tree in the game's .msh text format.
#include <string>

#include "model_node.h"

std::string MshText(const ModelNode& root);

// Writes the text to path; false (with a message on stderr) on failure or
// when a node breaks a limit of the format.
bool WriteMsh(const std::string& path, const ModelNode& root);
