#pragma once
#include <string>
#include <vector>

// The texture lists the start-up loading registers after the "menu" picture,
// in order and exactly as they are passed to the texture cache.
// Registers the interface and game textures in their 22 lists, drawing the
// loading screen with `drawLoadingFrame` after the 5th, 10th and 17th.
void LoadInterfaceTextures(void (*drawLoadingFrame)());
// The files of those lists' textures, each once, in the order they load.
std::vector<std::string> InterfaceTextureFiles();
