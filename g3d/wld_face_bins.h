#pragma once
// The face bins of a world's objects: each object's triangles sorted by the direction their
// normals face, so that the grid drawer can send only the faces that may face the viewer by
// concatenating whole bins.
#include <cstdint>

#include "g3d/g3d_math.h"
#include "g3d/wld_world.h"

// The six directions of bins 0..5: +Z, -Z, -X, +X, -Y, +Y.
extern const G3dVector wld_face_bin_directions[6];

// Builds the bins of every object (under its frame 0 matrix, or none for an object without
// frames) and sets wld_obj_face_bins on every object.
void g3d_wld_build_face_bins(G3dWld* world);
void g3d_wld_free_face_bins(G3dWld* world);

// The bins whose faces can face a viewer at eye looking at focus: the rest bin and every
// direction within 135 degrees of the view direction; all seven when the view has no
// direction (the focus on the eye).
std::uint32_t wld_visible_bins(const G3dVector& eye, const G3dVector& focus);

// The opacity (0..scale) of an occluder drawn see-through: clear at the eye, growing with its
// ground distance from the eye to full at the focus distance and beyond.
std::uint32_t wld_occluder_alpha(float focus_distance, float distance, float scale);

// The bin of a face normal: the first direction within 45 degrees, else 6 (also for a normal
// that is not finite, as a degenerate triangle gives).
int wld_face_bin_of(const G3dVector& normal);
