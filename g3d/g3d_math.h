#pragma once
// The engine's small linear algebra: vectors, row-major matrices and boxes over caller storage.
// Points are columns: p' = M * (x, y, z, 1), the translation in m[3], m[7], m[11]. Angles are
// degrees, turned into radians with the factor 0.01745 that the whole engine uses.

struct G3dVector {
  float x, y, z, w;
};

struct G3dMatrix {
  float m[16];
};

// Lower corner, then upper corner; the two w are never read.
struct G3dBox {
  G3dVector min, max;
};

constexpr float g3d_deg_to_rad = 0.01745f;

float vec_length(const G3dVector* v);
float vec_dot(const G3dVector* a, const G3dVector* b);
G3dVector* vec_normalize(G3dVector* out, const G3dVector* v);
G3dVector* vec_cross(G3dVector* out, const G3dVector* a, const G3dVector* b);
G3dVector* vec_sub(G3dVector* out, const G3dVector* a, const G3dVector* b);
G3dVector* g3d_lerp_point(G3dVector* out, G3dVector p0, G3dVector p1, float den, float num);
float vec_angle_deg(G3dVector a, G3dVector b);

G3dMatrix* g3d_mat_identity(G3dMatrix* m);
void g3d_mat_transform(const G3dMatrix* m, const G3dVector* p, G3dVector* out);
// out = a * b; returns a (not the product). out must be neither a nor b.
G3dMatrix* g3d_mat_multiply(G3dMatrix* a, const G3dMatrix* b, G3dMatrix* out);
// Rows 0..2 of a * b, row 3 copied from a.
void g3d_mat_multiply_affine(const G3dMatrix* a, const G3dMatrix* b, G3dMatrix* out);
void g3d_mat_rotate_x(float degrees, G3dMatrix* m);
void g3d_mat_rotate_y(float degrees, G3dMatrix* m);
void g3d_mat_rotate_z(float degrees, G3dMatrix* m);
void g3d_mat_set_translation(float x, float y, float z, G3dMatrix* m);
// Inverse of m's upper-left 3x3 into three rows; each row's w is the negated translation of that
// row of m.
void g3d_mat_inverse_rotation(const G3dMatrix* m, G3dVector out[3]);
void g3d_mat_transpose(const G3dMatrix* in, G3dMatrix* out);
void g3d_mat_from_3x3(const float in[9], G3dMatrix* out);
void g3d_mat_translation(const float t[3], G3dMatrix* out);
void g3d_mat3_inverse(const float in[9], float out[9]);
