#pragma once
// The matrix of an animation instance drawn at a point, and the rectangle of its sheet cell.
#include "g3d/act_animation.h"
#include "g3d/g3d_math.h"
#include "g3d/renderer.h"

// out = the instance's scale, its offset (scaled), its rotation (yaw added) and the point. An
// instance drawn flat on the screen (render flags 0x4000000 or 0x8000000) is placed at z 0.
void set_ani_matrix(G3dMatrix* out, const ActInstance* a, float x, float y, float z, float extra_yaw);
// The same steps applied to m as it stands, without the flat rule.
void mul_ani_matrix(G3dMatrix* m, const ActInstance* a, float x, float y, float z, float extra_yaw);
// The sheet cell's rectangle, right and bottom exclusive, left and right exchanged when the
// instance is mirrored; an all-zero rectangle when the sheet has no whole cell in a row.
void get_cell_rect(const ActInstance* a, G3dRect* out);
