#pragma once
// The small vector operations the camera and the game share. Zero-length
// vectors are left as they are: nothing divides by zero.
#include "d3dutil/math.h"

// a x b, normalised unless it is zero.
D3DXVECTOR3 Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b);
// v scaled to length L unless it is zero.
D3DXVECTOR3 SetLength(const D3DXVECTOR3& v, float length);
