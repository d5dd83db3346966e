#pragma once
// The one vertex layout of the game: 56 bytes, stream 0.
#include "platform/d3d9/d3d9types.h"

struct Vertex {
  D3DVECTOR position;
  D3DVECTOR normal;
  D3DCOLOR colour;  // ARGB
  float u0, v0;
  float u1, v1;
  D3DVECTOR tangent;
};
static_assert(sizeof(Vertex) == 56, "the vertex declaration and every buffer use 56-byte vertices");

constexpr unsigned kVertexStride = sizeof(Vertex);
