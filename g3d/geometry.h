#pragma once
// Intersection and projection tests: segments against collision triangles and boxes, boxes
// against boxes, bounds of transformed boxes, projection of points and mouse picking of boxes,
// and the view-volume block built with the projection. Results go to caller storage only.
#include "g3d/coll_tri.h"
#include "g3d/g3d_math.h"
#include "g3d/g3d_vertex.h"
#include "g3d/g3d_view.h"

G3dFrustum* g3d_view_build_frustum(G3dFrustum* out, const G3dViewCentre* centre, int x, int y, int width,
                                   int height);
int g3d_line_cross_plane(const G3dVector* p0, const G3dVector* p1, const CollTri* tri, G3dVector* out);
int g3d_line_hit_tri(const G3dVector* p0, const G3dVector* p1, const CollTri* tri, G3dVector* out);
int g3d_line_hit_box(G3dVector p0, G3dVector p1, G3dVector base, G3dVector low, float high_x, float high_y,
                     float high_z);
// Strict on all six sides: boxes that only touch do not overlap.
int g3d_box_overlap(const G3dBox* a, const G3dBox* b);
inline int g3d_box_overlap(const G3dBox& a, const G3dBox& b) { return g3d_box_overlap(&a, &b); }
void g3d_transform_box(const G3dMatrix* m, const G3dBox* in, G3dBox* out);
int g3d_mat_box_overlap(G3dMatrix ma, G3dBox a, G3dMatrix mb, G3dBox b);
// The role box (x +- 30, y .. y + 100, z +- 30) against count boxes.
int g3d_role_hit_boxes(const G3dBox* boxes, int count, float x, float y, float z);
// Screen x, screen y, depth and clip w of a world point; beyond the far plane x is 700.
void g3d_project_point(const G3dVector* p, G3dVector* out);
int g3d_pick_box(float x, float y, float* depth, G3dMatrix m, G3dBox box);
// x, y, z of the eight corners in corner order; nothing else of the vertices.
G3dVertex* g3d_box_corners(const G3dBox* box, G3dVertex out[8]);
// The corner k (0..7) of a box: bit 0 picks max x for corners 1, 2, 5, 6 and so on.
G3dVector g3d_box_corner(const G3dBox* box, int k);
