#pragma once
// The texture lists the start-up loading registers after the "menu" picture,
// in order and exactly as they are passed to the texture cache.
#include <array>

extern const std::array<const char*, 22> InterfaceTextureLists;
