#include "core/vector_helpers.h"

#include <cmath>

D3DXVECTOR3 SetLength(const D3DXVECTOR3& v, float length) {
  float current = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (current == 0.0f) return v;
  float scale = length / current;
  return D3DXVECTOR3(v.x * scale, v.y * scale, v.z * scale);
}

D3DXVECTOR3 Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
  D3DXVECTOR3 product(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
  return SetLength(product, 1.0f);
}
