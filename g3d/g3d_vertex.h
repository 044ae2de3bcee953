#pragma once
// The 40-byte vertex of models and worlds: position, 16 bytes the renderer does not read,
// texture coordinates and an ARGB colour.
#include <cstdint>

struct G3dVertex {
  float x, y, z;
  float unread[4];
  float u, v;
  std::uint32_t colour;
};
static_assert(sizeof(G3dVertex) == 40);
