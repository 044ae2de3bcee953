// The matrix of an animation instance and the rectangle of its sheet cell.
#include "g3d/ani_matrix.h"

#include <cmath>

namespace {

constexpr std::uint32_t flat_flags = 0x4000000 | 0x8000000;

void apply_ani_steps(G3dMatrix* m, const ActInstance* a, float x, float y, float z, float extra_yaw) {
  renderer.scale_matrix(m, a->scale[0], a->scale[1], a->scale[2]);
  renderer.translate_matrix(m, a->offset[0] * a->scale[0], a->offset[1] * a->scale[1], a->offset[2] * a->scale[2]);
  renderer.rotate_matrix(m, a->rotation[0], std::fmod(float(a->rotation[1]) + extra_yaw, 360.0f), a->rotation[2]);
  renderer.translate_matrix(m, x, y, z);
}

}  // namespace

void set_ani_matrix(G3dMatrix* out, const ActInstance* a, float x, float y, float z, float extra_yaw) {
  if (a->draw_flags & flat_flags) z = 0;
  renderer.identity_matrix(out);
  apply_ani_steps(out, a, x, y, z, extra_yaw);
}

void mul_ani_matrix(G3dMatrix* m, const ActInstance* a, float x, float y, float z, float extra_yaw) {
  apply_ani_steps(m, a, x, y, z, extra_yaw);
}

void get_cell_rect(const ActInstance* a, G3dRect* out) {
  *out = {};
  const int cell_w = a->sheet[4], cell_h = a->sheet[5];
  if (cell_w == 0) return;
  const int columns = (int(a->sheet[2]) - int(a->sheet[0])) / cell_w;
  if (columns <= 0) return;
  out->left = cell_w * (a->cell % columns);
  out->top = cell_h * (a->cell / columns);
  out->right = out->left + cell_w;
  out->bottom = out->top + cell_h;
  if (a->state & act_state_mirrored) std::swap(out->left, out->right);
}
