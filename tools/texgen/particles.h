#pragma once
// Particle sprites and the parameters of the medal screen's sparkles.
#include <string>

// The structured text file data\pSet1.s.
std::string MedalParticleSet();
