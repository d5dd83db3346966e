#pragma once
// The application icon, one picture per size, at "<N>x<N>/apps/kestrin.png"
// as the desktop's icon theme folders have it.
#include "texture_job.h"

TextureJob AppIconJob(int size);
