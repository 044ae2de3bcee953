#pragma once
// Directions and shapes on the ground plane and the screen: a polar offset, direction angles, a
// triangle's normal and a square of four vertices around a normal (ground marks and shadows).
#include "g3d/g3d_math.h"
#include "g3d/g3d_vertex.h"

// The ground-plane offset of radius r at angle degrees (0 points to -z).
void polar_offset(float angle, float r, float* dx, float* dz);
// Degrees 0..360 from one ground point to another; 0 when they coincide.
float get_dir_angle(G3dVector from, G3dVector to);
// Degrees 0..360 of the screen point (x, y) seen from (cx, cy); 0 when they coincide.
float get_screen_angle(int x, int y, int cx, int cy);
// The unit normal of three points (x, y, z each); the zero vector for a degenerate triangle.
void calc_tri_normal(G3dVector* out, const float triangle[9]);
// Four vertices of a square of half size s around c, in the plane across the normal n.
void make_normal_quad(const G3dVector* n, const G3dVector* c, float s, G3dVertex out[4]);
