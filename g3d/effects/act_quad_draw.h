#pragma once
// An animation instance's current picture drawn as a quad at a point in the world, with the
// instance's matrix: the draw every particle, special effect and afterimage quad shares.
#include <cstdint>

struct ActInstance;

// The picture (resource, picture) through the sprite cache; nothing when it is missing.
void draw_act_quad_at(const ActInstance* a, float x, float y, float z, std::uint32_t colour, std::uint32_t flags);
