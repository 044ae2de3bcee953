// The instance matrix and the polar offset.
#include "g3d/ani_matrix.h"

#include <cmath>

#include "g3d/act_animation.h"
#include "g3d/renderer.h"

namespace {
constexpr std::uint32_t flat_flags = 0x4000000 | 0x8000000;
}

void set_ani_matrix(G3dMatrix* out, const ActInstance* a, float x, float y, float z, float extra_yaw) {
  if (a->draw_flags & flat_flags) z = 0;
  renderer.identity_matrix(out);
  renderer.scale_matrix(out, a->scale[0], a->scale[1], a->scale[2]);
  renderer.translate_matrix(out, a->offset[0] * a->scale[0], a->offset[1] * a->scale[1], a->offset[2] * a->scale[2]);
  renderer.rotate_matrix(out, a->rotation[0], std::fmod(a->rotation[1] + extra_yaw, 360.0f), a->rotation[2]);
  renderer.translate_matrix(out, x, y, z);
}

void polar_offset(float angle, float radius, float* dx, float* dz) {
  const float t = std::fmod(angle + 270.0f, 360.0f) * g3d_deg_to_rad;
  *dx = radius * std::cos(t);
  *dz = radius * std::sin(t);
}
